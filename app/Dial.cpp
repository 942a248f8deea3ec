// Dialling the chosen phone-book entry, hanging up, the line's watch, and the periodic log mark.
//
// The service's rules shape this: a dial it refuses or that fails later still holds a handle
// and the port until it is hung up; a hang-up returns at once and the port is let go some time
// later, and a dial before then fails; a line that drops after it came up is told only to
// those who ask for its status. So every connection the program learns of is hung up exactly
// once, the next dial and the program's end wait for the release, and the line is watched.

#include <algorithm>
#include <atomic>
#include <limits>
#include <memory>
#include <utility>

#include "app/TForm1.h"
#include "app/Texts.h"
#include "dial/DialStatusText.h"
#include "dial/PhoneBook.h"

namespace {

// The service's notifier carries no context: reports find the program through these.
// The backend may be read from the service's thread; the window only on the UI thread.
std::atomic<ui::Backend*> DialReportBackend{nullptr};
TForm1* Form1 = nullptr;

// The longest interval a window timer takes.
constexpr std::int64_t kLongestTimerInterval = 0x7FFFFFFF;

}  // namespace

void TForm1::RegisterAsDialTarget() {
  Form1 = this;
  DialReportBackend = &GetBackend();
  LineTimer.SetInterval(kLineCheckMs);
  LineTimer.OnTimer = [this] { LineTimerTimer(); };
}

void TForm1::UnregisterAsDialTarget() {
  if (Form1 != this) return;
  Form1 = nullptr;
  DialReportBackend = nullptr;
}

void TForm1::ApplyLogInterval() {
  // No marks for a zero or negative interval, rather than a timer that fires without pause.
  const std::int64_t milliseconds = std::clamp<std::int64_t>(
      std::int64_t{Setup->TimeLogMinuteInterval} * 60000, 0, kLongestTimerInterval);
  Timer1.SetInterval(static_cast<std::uint32_t>(milliseconds));
}

void TForm1::ListPhoneBookEntries() {
  ConnectionListBox.Clear();
  for (const std::string& name : dial::ListPhoneBookEntries(services_.remoteAccess))
    ConnectionListBox.Add(name);
}

void TForm1::ConnectButtonClick() {
  if (Ending) return;
  if (!IsLoggedIn) {
    Label1.SetText(texts::kChooseNameFirst);
    return;
  }
  if (ConnectionListBox.Count() == 0) {
    Label1.SetText(texts::kNoConnections);
    return;
  }
  // One dial at a time: the port is the connection's until it is hung up and let go.
  if (ConnectionHandle != 0 || PreparingDial) return;
  if (!Releasing.empty()) {
    AfterRelease = AfterReleaseStep::Dial;
    return;
  }
  if (ConnectionListBox.SelectedIndex() < 0) ConnectionListBox.SetSelectedIndex(0);

  auto params = std::make_unique<platform::RasDialParams>();
  params->SetSize(platform::RasDialParams::kSize);
  params->SetEntryName(ConnectionListBox.Item(ConnectionListBox.SelectedIndex()));
  dial::WriteDialFields(*params, PasswordEdit.Text(), LoginEdit.Text(), PhoneEdit.Text());
  bool passwordStored = false;
  if (services_.remoteAccess.GetEntryDialParams(*params, passwordStored) != 0) return;

  PreparingDial = true;
  GetBackend().ProcessPendingMessages();
  PreparingDial = false;
  // A hang-up, a log-out or Exit in the meantime called the dial off: it must not go out
  // after them, as a connection nobody would hang up.
  if (Ending || !IsLoggedIn || ConnectionHandle != 0 || !Releasing.empty()) return;

  // The fields as they stand now win over what the phone book keeps for the entry.
  dial::WriteDialFields(*params, PasswordEdit.Text(), LoginEdit.Text(), PhoneEdit.Text());
  const std::uint32_t result =
      services_.remoteAccess.Dial(*params, &TForm1::DialNotifier, ConnectionHandle);
  if (result != 0) {
    EndConnection();
    GetBackend().ShowMessageBox(nullptr, ui::MessageKind::Unowned,
                                dial::ErrorText(services_.remoteAccess, result),
                                texts::kDialErrorCaption);
    return;
  }
  if (Setup->IsMinimizeToTrayOnConnect) {
    Tray->AddIcon(*this);
    Hide();
  }
}

void TForm1::DialNotifier(std::uintptr_t connection, std::uint32_t state, std::uint32_t error) {
  // Runs on the service's thread: only hand the report over, in order, to the UI thread.
  ui::Backend* backend = DialReportBackend.load();
  if (backend == nullptr) return;
  backend->PostToUiThread([connection, state, error] {
    if (Form1 != nullptr) Form1->ShowDialProgress(connection, state, error);
  });
}

void TForm1::ShowDialProgress(std::uintptr_t connection, std::uint32_t state, std::uint32_t error) {
  // A report still on its way when its connection was hung up must not overwrite what the
  // hang-up showed, nor act on the next dial.
  if (connection == 0 || connection != ConnectionHandle) return;
  Label1.SetText(dial::DialStatusText(services_.remoteAccess, state, error));
  Label1.Repaint();
  if (error != 0 || state == platform::kRasDisconnected) {
    // The dial is over without a line; the failure text must be seen, also from the tray.
    EndConnection();
    if (!Visible()) RestoreApp();
  } else if (state == platform::kRasConnected && !LineUp) {
    LineUp = true;
    LineUser = CurrentUserName;
    Timer1.SetEnabled(true);
    LineTimer.SetEnabled(true);
    Log->AddLogEntry(CurrentUserName, texts::kConnectedAction);
  }
}

void TForm1::EndConnection() {
  if (ConnectionHandle == 0) return;
  const std::uintptr_t connection = std::exchange(ConnectionHandle, 0);
  const bool wasUp = std::exchange(LineUp, false);
  services_.remoteAccess.HangUp(connection);
  Timer1.SetEnabled(false);
  if (!LetGo(connection)) {
    Releasing.push_back(connection);
    ReleaseTicksLeft = kReleaseTicks;
    LineTimer.SetInterval(kReleaseCheckMs);
    LineTimer.SetEnabled(true);
  }
  // Last, as a failed log write shows a box in which other commands run. With nobody logged
  // in (the line outlived a log-out) the line's end bears the name of whoever it came up for.
  if (wasUp)
    Log->AddLogEntry(CurrentUserName.empty() ? LineUser : CurrentUserName,
                     texts::kDisconnectedAction);
}

bool TForm1::LetGo(std::uintptr_t connection) {
  std::uint32_t state = 0, error = 0;
  return services_.remoteAccess.GetConnectStatus(connection, state, error) != 0;
}

void TForm1::LineTimerTimer() {
  if (CommandsHeld()) return;
  if (!Releasing.empty()) {
    std::erase_if(Releasing, [this](std::uintptr_t connection) { return LetGo(connection); });
    // A service that never lets go must not hold the next dial or the end for ever.
    if (--ReleaseTicksLeft <= 0) Releasing.clear();
    if (Releasing.empty()) LineTimer.SetInterval(kLineCheckMs);
  }
  if (LineUp) WatchLine();
  if (Releasing.empty() && !LineUp) LineTimer.SetEnabled(false);
  if (Releasing.empty() && AfterRelease != AfterReleaseStep::Nothing) {
    switch (std::exchange(AfterRelease, AfterReleaseStep::Nothing)) {
      case AfterReleaseStep::Dial:
        ConnectButtonClick();
        break;
      case AfterReleaseStep::End:
        Close();
        break;
      case AfterReleaseStep::Nothing:
        break;
    }
  }
}

void TForm1::WatchLine() {
  std::uint32_t state = 0, error = 0;
  const std::uint32_t result =
      services_.remoteAccess.GetConnectStatus(ConnectionHandle, state, error);
  if (result == 0 && state != platform::kRasDisconnected) return;
  const std::uint32_t reason = result == 0 ? error : 0;
  std::string text = texts::kLineDropped;
  if (reason != 0) text += " " + dial::ErrorText(services_.remoteAccess, reason);
  EndConnection();
  Label1.SetText(text);
  if (!Visible()) RestoreApp();
}

void TForm1::DisconnectButtonClick() {
  if (!IsLoggedIn) return;
  if (AfterRelease == AfterReleaseStep::Dial) AfterRelease = AfterReleaseStep::Nothing;
  EndConnection();
  ClearFields();
  IfUserEntered();
  Label1.SetText(texts::kDisconnected);
  ChangeHeaders(texts::kTitle);
}

void TForm1::ExitItemClick() {
  if (Ending || CommandsHeld()) return;
  Ending = true;
  DisconnectButtonClick();
  // Whoever dialled it, a connection the program knows is not left behind unknown.
  EndConnection();
  // The process ends with the main window; nothing is asked and nothing is saved. Ending
  // before the service has let the port go could leave it unusable for the next dial.
  if (Releasing.empty())
    Close();
  else
    AfterRelease = AfterReleaseStep::End;
}

void TForm1::ConnectItemClick() {
  if (CommandsHeld()) return;
  RestoreApp();
  ConnectButtonClick();
}

void TForm1::DisconnectItemClick() {
  if (CommandsHeld()) return;
  DisconnectButtonClick();
}

void TForm1::Timer1Timer() {
  // A mark that falls while a box is up (a failed write's among them) is skipped, not stacked.
  if (CommandsHeld()) return;
  Log->AddLogEntry(CurrentUserName, texts::kStillOnlineAction);
}

void TForm1::ShowLogItemClick() {
  services_.textEditor.Open(Setup->LogFileName);
}
