#pragma once
// The system's local clock, shown in the user's regional formats.

#include <string>

#include "platform/Clock.h"

namespace platform {

class Win32Clock : public Clock {
 public:
  LocalTime Now() override;
  std::string ShortDate(const LocalTime& time) override;
  std::string LongTime(const LocalTime& time) override;
};

}  // namespace platform
