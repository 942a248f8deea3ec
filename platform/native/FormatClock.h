#pragma once
// A clock that shows a time set by hand, in date and time pictures written the way Windows
// writes them ("dd.MM.yyyy", "H:mm:ss", "h:mm:ss tt", with text between single quotes).

#include <string>

#include "platform/Clock.h"

namespace platform {

class FormatClock : public Clock {
 public:
  // Pictures and designators are Windows-1251 text.
  FormatClock(std::string datePicture, std::string timePicture, std::string amDesignator = "AM",
              std::string pmDesignator = "PM");

  void Set(const LocalTime& time) { now_ = time; }

  LocalTime Now() override { return now_; }
  std::string ShortDate(const LocalTime& time) override;
  std::string LongTime(const LocalTime& time) override;

 private:
  std::string Format(const std::string& picture, const LocalTime& time) const;

  std::string datePicture_;
  std::string timePicture_;
  std::string am_;
  std::string pm_;
  LocalTime now_;
};

}  // namespace platform
