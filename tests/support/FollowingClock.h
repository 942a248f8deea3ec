#pragma once
// A clock that moves with the headless backend's manual clock, so that a timer's tick and
// the time of day the program reads agree.

#include <chrono>

#include "platform/headless/HeadlessBackend.h"
#include "platform/native/FormatClock.h"

namespace testing_support {

class FollowingClock : public platform::FormatClock {
 public:
  explicit FollowingClock(const headless::HeadlessBackend& backend)
      : platform::FormatClock("dd.MM.yyyy", "H:mm:ss"), backend_(backend) {}

  // From now on the clock reads `time` plus however far the backend's clock has moved since.
  void Set(const platform::LocalTime& time) {
    start_ = time;
    setAt_ = backend_.Now();
  }

  platform::LocalTime Now() override {
    using namespace std::chrono;
    const sys_days date{year{start_.year} / start_.month / start_.day};
    const sys_time<milliseconds> at = date + hours{start_.hour} + minutes{start_.minute} +
                                      seconds{start_.second} +
                                      milliseconds{start_.milliseconds + backend_.Now() - setAt_};
    const sys_days atDate = floor<days>(at);
    const year_month_day ymd{atDate};
    const hh_mm_ss<milliseconds> clock{at - atDate};
    return {static_cast<int>(ymd.year()),
            static_cast<int>(static_cast<unsigned>(ymd.month())),
            static_cast<int>(static_cast<unsigned>(ymd.day())),
            static_cast<int>(clock.hours().count()),
            static_cast<int>(clock.minutes().count()),
            static_cast<int>(clock.seconds().count()),
            static_cast<int>(clock.subseconds().count())};
  }

 private:
  const headless::HeadlessBackend& backend_;
  platform::LocalTime start_{2026, 12, 8, 12, 0, 0, 0};
  std::uint64_t setAt_ = 0;
};

}  // namespace testing_support
