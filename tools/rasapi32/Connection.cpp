#include "Connection.h"

#include <raserror.h>

#include <utility>

#include "Service.h"
#include "Trace.h"

namespace standin {

Connection::Connection(HRASCONN handle, Plan plan, const DialRequest& request, std::wstring phone)
    : handle_(handle),
      plan_(std::move(plan)),
      notifierType_(request.notifierType),
      notifier_(request.notifier),
      callbackId_(request.callbackId),
      phone_(std::move(phone)),
      hungUpEvent_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      firstReportEvent_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      outcomeEvent_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      notifying_(request.notifier != nullptr) {
  InitializeCriticalSection(&delivery_);
  // A refused dial reached no stage; its error stays with it as a failed one's does.
  error_ = plan_.refusal;
}

Connection::~Connection() {
  DeleteCriticalSection(&delivery_);
  for (HANDLE event : {hungUpEvent_, firstReportEvent_, outcomeEvent_})
    if (event != nullptr) CloseHandle(event);
}

bool Connection::Launch(const std::shared_ptr<Connection>& self) {
  if (hungUpEvent_ == nullptr || firstReportEvent_ == nullptr || outcomeEvent_ == nullptr)
    return false;
  auto* owner = new std::shared_ptr<Connection>(self);
  thread_ = CreateThread(nullptr, 0, &Connection::ThreadMain, owner, CREATE_SUSPENDED, nullptr);
  if (thread_ == nullptr) delete owner;
  return thread_ != nullptr;
}

void Connection::Go() {
  ResumeThread(thread_);
  CloseHandle(thread_);
}

void Connection::WaitFirstReport() {
  WaitForSingleObject(firstReportEvent_, INFINITE);
}

DWORD Connection::WaitOutcome() {
  WaitForSingleObject(outcomeEvent_, INFINITE);
  AcquireSRWLockShared(&stateLock_);
  const DWORD error = error_;
  ReleaseSRWLockShared(&stateLock_);
  if (error != ERROR_SUCCESS) return error;
  return connected_ ? ERROR_SUCCESS : ERROR_USER_DISCONNECTION;
}

void Connection::HangUp() {
  EnterCriticalSection(&delivery_);
  AcquireSRWLockExclusive(&stateLock_);
  hungUp_ = true;
  state_ = RASCS_Disconnected;
  ReleaseSRWLockExclusive(&stateLock_);
  LeaveCriticalSection(&delivery_);
  SetEvent(hungUpEvent_);
}

Connection::Status Connection::GetStatus() {
  AcquireSRWLockShared(&stateLock_);
  Status status{state_, error_, phone_};
  ReleaseSRWLockShared(&stateLock_);
  return status;
}

DWORD WINAPI Connection::ThreadMain(void* self) {
  auto* owner = static_cast<std::shared_ptr<Connection>*>(self);
  (*owner)->Run();
  delete owner;
  return 0;
}

void Connection::Run() {
  connected_ = MakeReports();
  SetEvent(firstReportEvent_);
  SetEvent(outcomeEvent_);
  if (connected_ && plan_.dropAfterMs && !WaitHangUp(*plan_.dropAfterMs)) Drop();
  WaitHangUp(INFINITE);
  Sleep(plan_.releaseMs);
  AcquireSRWLockShared(&stateLock_);
  const bool dropped = dropped_;
  ReleaseSRWLockShared(&stateLock_);
  Release(handle_, !dropped);
}

bool Connection::MakeReports() {
  for (std::size_t i = 0; i < plan_.reports.size(); ++i) {
    const Report& report = plan_.reports[i];
    if (i > 0 && report.afterPause && WaitHangUp(plan_.stepMs)) return false;
    if (!Deliver(report)) return false;
    if (i == 0) SetEvent(firstReportEvent_);
  }
  return !plan_.reports.empty() && plan_.reports.back().state == RASCS_Connected;
}

bool Connection::Deliver(const Report& report) {
  // Holding delivery_ from the check to the notifier's return keeps a RasHangUp on another
  // thread from returning while a report is on its way.
  EnterCriticalSection(&delivery_);
  AcquireSRWLockExclusive(&stateLock_);
  const bool live = !hungUp_;
  if (live) {
    state_ = report.state;
    error_ = report.error;
  }
  ReleaseSRWLockExclusive(&stateLock_);
  if (live) {
    if (report.state == RASCS_Connected) Signal(handle_, RASCN_Connection);
    if (notifying_) {
      Trace(L"report handle=" + HandleNumber(handle_) + L" state=" + std::to_wstring(report.state) +
            L" error=" + std::to_wstring(report.error));
      notifying_ = Notify(report);
    }
  }
  LeaveCriticalSection(&delivery_);
  return live;
}

bool Connection::Notify(const Report& report) {
  const auto state = static_cast<RASCONNSTATE>(report.state);
  switch (notifierType_) {
    case 0:
      reinterpret_cast<RASDIALFUNC>(notifier_)(WM_RASDIALEVENT, state, report.error);
      return true;
    case 1:
      reinterpret_cast<RASDIALFUNC1>(notifier_)(handle_, WM_RASDIALEVENT, state, report.error, 0);
      return true;
    default:
      // One link only: its sub-entry is the first.
      return reinterpret_cast<RASDIALFUNC2>(notifier_)(callbackId_, 1, handle_, WM_RASDIALEVENT,
                                                       state, report.error, 0) != 0;
  }
}

void Connection::Drop() {
  AcquireSRWLockExclusive(&stateLock_);
  const bool live = !hungUp_;
  if (live) {
    state_ = RASCS_Disconnected;
    error_ = plan_.dropError;
    dropped_ = true;
  }
  ReleaseSRWLockExclusive(&stateLock_);
  if (!live) return;
  Trace(L"drop handle=" + HandleNumber(handle_) + L" error=" + std::to_wstring(plan_.dropError));
  Signal(handle_, RASCN_Disconnection);
}

bool Connection::WaitHangUp(DWORD ms) {
  return WaitForSingleObject(hungUpEvent_, ms) == WAIT_OBJECT_0;
}

}  // namespace standin
