// The scheduled power-off: the dialog that arms it and the two timers that carry it out.

#include "app/TForm1.h"
#include "app/Texts.h"

namespace {

constexpr std::uint32_t kTokenAdjustPrivileges = 0x20;
constexpr std::uint32_t kTokenQuery = 0x08;
constexpr std::uint32_t kPrivilegeEnabled = 2;
constexpr char kShutdownPrivilege[] = "SeShutdownPrivilege";
constexpr std::uint32_t kPowerOff = 0x08;
constexpr std::uint32_t kForce = 0x04;

// The token is let go on every way out of the power-off.
class OpenToken {
 public:
  explicit OpenToken(platform::Power& power) : power_(power) {}
  ~OpenToken() {
    if (opened_) power_.CloseToken(token_);
  }
  OpenToken(const OpenToken&) = delete;
  OpenToken& operator=(const OpenToken&) = delete;

  bool Open(std::uint32_t access) { return opened_ = power_.OpenProcessToken(access, token_); }
  std::uintptr_t Handle() const { return token_; }

 private:
  platform::Power& power_;
  std::uintptr_t token_ = 0;
  bool opened_ = false;
};

}  // namespace

dialogs::PowerOffSchedule TForm1::ScheduleForPowerOff() {
  return dialogs::PowerOffSchedule{TurnOffTimer, TimeTimer, ShutdownTime};
}

void TForm1::TurnOffItemClick() {
  if (TurnOffForm == nullptr && MakeTurnOffForm) TurnOffForm = MakeTurnOffForm();
  if (TurnOffForm == nullptr) return;
  TurnOffForm->ShowModal(this);
}

void TForm1::TimeTimerTimer() {
  if (CommandsHeld()) return;
  const platform::LocalTime now = services_.clock.Now();
  if (ShutdownTime.hour == now.hour && ShutdownTime.minute == now.minute) TurnOffTimerTimer();
}

// Neither timer is stopped here: with the user hung up and logged out, later ticks do
// nothing until somebody logs in again.
void TForm1::TurnOffTimerTimer() {
  // A tick while a box of the hang-up is up must not start the power-off a second time.
  if (!IsLoggedIn || CommandsHeld()) return;
  const std::string userName = CurrentUserName;
  DisconnectButtonClick();

  platform::Power& power = services_.power;
  OpenToken token(power);
  if (!token.Open(kTokenAdjustPrivileges | kTokenQuery)) return;
  platform::PrivilegeId shutdown;
  if (!power.LookUpPrivilege(kShutdownPrivilege, shutdown)) return;
  Log->AddLogEntry(userName, texts::kTurnedOffAction);
  if (!power.AdjustPrivilege(token.Handle(), shutdown, kPrivilegeEnabled)) return;
  power.RequestShutdown(kPowerOff | kForce);
}
