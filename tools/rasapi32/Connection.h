#pragma once
// One connection from the RasDial that made its handle until its release: a thread of its own
// makes the dial's reports, lets the line drop, and lets the port go ReleaseMs after RasHangUp.

#include <windows.h>

#include <ras.h>

#include <memory>
#include <string>

#include "Plan.h"

namespace standin {

class Connection {
 public:
  struct Status {
    DWORD state;
    DWORD error;
    std::wstring phone;
  };

  Connection(HRASCONN handle, Plan plan, const DialRequest& request, std::wstring phone);
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  HRASCONN Handle() const { return handle_; }
  DWORD Refusal() const { return plan_.refusal; }

  // Makes the thread, which holds `self` until the release; it waits for Go.
  bool Launch(const std::shared_ptr<Connection>& self);
  void Go();
  // Returns once the notifier has returned from the first report (or the dial is over).
  void WaitFirstReport();
  // Without a notifier RasDial waits for the end of the dial: 0 when connected, else the error.
  DWORD WaitOutcome();

  // Stops the dial; a report already on its way is awaited unless this is its own notifier.
  void HangUp();
  Status GetStatus();

 private:
  static DWORD WINAPI ThreadMain(void* self);
  void Run();
  bool MakeReports();  // true when the line came up
  bool Deliver(const Report& report);
  bool Notify(const Report& report);
  void Drop();
  bool WaitHangUp(DWORD ms);

  const HRASCONN handle_;
  const Plan plan_;
  const DWORD notifierType_;
  void* const notifier_;
  const ULONG_PTR callbackId_;
  const std::wstring phone_;
  HANDLE thread_ = nullptr;
  const HANDLE hungUpEvent_;
  const HANDLE firstReportEvent_;
  const HANDLE outcomeEvent_;
  bool connected_ = false;  // written before outcomeEvent_ is set

  // Held while the notifier runs; a CRITICAL_SECTION so that the notifier may hang up.
  CRITICAL_SECTION delivery_;
  bool notifying_;  // under delivery_; a RasDialFunc2 that returned 0 wants no more

  SRWLOCK stateLock_ = SRWLOCK_INIT;
  DWORD state_ = RASCS_OpenPort;
  DWORD error_ = ERROR_SUCCESS;
  bool hungUp_ = false;
  bool dropped_ = false;
};

}  // namespace standin
