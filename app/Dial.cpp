// Dialling the chosen phone-book entry, hanging up, and the periodic log mark.

#include <algorithm>
#include <atomic>
#include <limits>
#include <memory>

#include "app/TForm1.h"
#include "app/Texts.h"
#include "dial/DialStatusText.h"
#include "dial/PhoneBook.h"

namespace {

// The service's notifier carries no context: reports find the program through these.
// The backend may be read from the service's thread; the window only on the UI thread.
std::atomic<ui::Backend*> DialReportBackend{nullptr};
TForm1* Form1 = nullptr;
// Counts hang-ups: a report still on its way when its connection was hung up is dropped,
// so that it can't overwrite the disconnected text.
std::atomic<unsigned> HangUpCount{0};

// The longest interval a window timer takes.
constexpr std::int64_t kLongestTimerInterval = 0x7FFFFFFF;

}  // namespace

void TForm1::RegisterAsDialTarget() {
  Form1 = this;
  DialReportBackend = &GetBackend();
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
  if (!IsLoggedIn) {
    Label1.SetText(texts::kChooseNameFirst);
    return;
  }
  if (ConnectionListBox.Count() == 0) {
    Label1.SetText(texts::kNoConnections);
    return;
  }
  if (ConnectionListBox.SelectedIndex() < 0) ConnectionListBox.SetSelectedIndex(0);

  auto params = std::make_unique<platform::RasDialParams>();
  params->SetSize(platform::RasDialParams::kSize);
  params->SetEntryName(ConnectionListBox.Item(ConnectionListBox.SelectedIndex()));
  dial::WriteDialFields(*params, PasswordEdit.Text(), LoginEdit.Text(), PhoneEdit.Text());
  bool passwordStored = false;
  if (services_.remoteAccess.GetEntryDialParams(*params, passwordStored) != 0) return;

  GetBackend().ProcessPendingMessages();

  // The fields as they stand now win over what the phone book keeps for the entry.
  dial::WriteDialFields(*params, PasswordEdit.Text(), LoginEdit.Text(), PhoneEdit.Text());
  const std::uint32_t result =
      services_.remoteAccess.Dial(*params, &TForm1::DialNotifier, ConnectionHandle);
  if (result != 0) {
    GetBackend().ShowMessageBox(nullptr, ui::MessageKind::Unowned,
                                dial::ErrorText(services_.remoteAccess, result),
                                texts::kDialErrorCaption);
    return;
  }
  Timer1.SetEnabled(true);
  Log->AddLogEntry(CurrentUserName, texts::kConnectedAction);
  if (Setup->IsMinimizeToTrayOnConnect) {
    Tray->AddIcon(*this);
    Hide();
  }
}

void TForm1::DialNotifier(std::uint32_t /*message*/, std::uint32_t state, std::uint32_t error) {
  // Runs on the service's thread: only hand the report over, in order, to the UI thread.
  ui::Backend* backend = DialReportBackend.load();
  if (backend == nullptr) return;
  backend->PostToUiThread([state, error, hangUps = HangUpCount.load()] {
    if (Form1 != nullptr && hangUps == HangUpCount.load()) Form1->ShowDialProgress(state, error);
  });
}

void TForm1::ShowDialProgress(std::uint32_t state, std::uint32_t error) {
  Label1.SetText(dial::DialStatusText(services_.remoteAccess, state, error));
  Label1.Repaint();
}

void TForm1::DisconnectButtonClick() {
  if (!IsLoggedIn) return;
  services_.remoteAccess.HangUp(ConnectionHandle);
  ++HangUpCount;
  ConnectionHandle = 0;
  Log->AddLogEntry(CurrentUserName, texts::kDisconnectedAction);
  ClearFields();
  IfUserEntered();
  Timer1.SetEnabled(false);
  Label1.SetText(texts::kDisconnected);
  ChangeHeaders(texts::kTitle);
}

void TForm1::ConnectItemClick() {
  RestoreApp();
  ConnectButtonClick();
}

void TForm1::DisconnectItemClick() {
  DisconnectButtonClick();
}

void TForm1::Timer1Timer() {
  Log->AddLogEntry(CurrentUserName, texts::kStillOnlineAction);
}

void TForm1::ShowLogItemClick() {
  services_.textEditor.Open(Setup->LogFileName);
}
