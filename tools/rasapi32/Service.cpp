#include "Service.h"

#include <raserror.h>

#include <atomic>
#include <map>
#include <memory>
#include <vector>

#include "PhoneBook.h"
#include "Trace.h"

namespace standin {
namespace {

struct Registration {
  HRASCONN handle;  // AllConnections() for every connection
  HANDLE event;     // the service's own duplicate
  DWORD flags;
};

// Handles count up from here and are never given twice in a process.
constexpr ULONG_PTR kFirstHandle = 0x5100;

SRWLOCK Lock = SRWLOCK_INIT;
// One modem, so one port: the connection holding it is the only one there is.
std::shared_ptr<Connection> Current;
ULONG_PTR NextHandle = kFirstHandle;
std::map<std::wstring, unsigned> DialsOfEntry;
std::vector<Registration> Registrations;
std::atomic<long> UnreleasedCount{0};

HRASCONN AllConnections() {
  return reinterpret_cast<HRASCONN>(INVALID_HANDLE_VALUE);
}

// A connection's thread runs this module's code until its release, so FreeLibrary must not
// unmap it.
void PinModule() {
  HMODULE self = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                     reinterpret_cast<LPCWSTR>(&PinModule), &self);
}

std::shared_ptr<Connection> Find(HRASCONN handle) {
  AcquireSRWLockShared(&Lock);
  std::shared_ptr<Connection> found = Current && Current->Handle() == handle ? Current : nullptr;
  ReleaseSRWLockShared(&Lock);
  return found;
}

void SignalLocked(HRASCONN handle, DWORD flag) {
  for (const Registration& registration : Registrations)
    if ((registration.handle == AllConnections() || registration.handle == handle) &&
        (registration.flags & flag) != 0)
      SetEvent(registration.event);
}

// Takes the port for a new connection of the entry; 602 while another holds it.
DWORD Open(const Entry& entry, const DialRequest& request, const std::wstring& phone,
           std::shared_ptr<Connection>& connection) {
  AcquireSRWLockExclusive(&Lock);
  DWORD result = ERROR_PORT_ALREADY_OPEN;
  if (!Current) {
    const bool firstDial = ++DialsOfEntry[entry.name] == 1;
    const auto handle = reinterpret_cast<HRASCONN>(NextHandle++);
    connection =
        std::make_shared<Connection>(handle, MakePlan(entry, request, firstDial), request, phone);
    PinModule();
    result = ERROR_NOT_ENOUGH_MEMORY;
    if (connection->Launch(connection)) {
      Current = connection;
      ++UnreleasedCount;
      result = ERROR_SUCCESS;
    }
  }
  ReleaseSRWLockExclusive(&Lock);
  return result;
}

}  // namespace

void TraceDial(const DialRequest& request, const std::wstring& phone, DWORD result,
               HRASCONN handle) {
  Trace(L"dial entry=" + request.entry + L" user=" + request.user + L" password=" +
        request.password + L" phone=" + phone + L" result=" + std::to_wstring(result) +
        L" handle=" + HandleNumber(handle));
}

DWORD Dial(const DialRequest& request, HRASCONN* handle) {
  const PhoneBook book = ReadPhoneBook();
  const Entry* entry = book.error == ERROR_SUCCESS ? book.Find(request.entry) : nullptr;
  // An empty number stands for the one the entry keeps.
  std::wstring phone = request.phone;
  if (phone.empty() && entry != nullptr) phone = entry->Text(L"phone").value_or(L"");

  std::shared_ptr<Connection> connection;
  DWORD result = book.error != ERROR_SUCCESS ? book.error
                 : entry == nullptr          ? ERROR_CANNOT_FIND_PHONEBOOK_ENTRY
                                             : Open(*entry, request, phone, connection);
  if (result != ERROR_SUCCESS) {
    TraceDial(request, phone, result, nullptr);
    return result;
  }

  *handle = connection->Handle();
  result = connection->Refusal();
  // The dial's line comes before its first report.
  if (result != ERROR_SUCCESS || request.notifier != nullptr)
    TraceDial(request, phone, result, *handle);
  connection->Go();
  if (result != ERROR_SUCCESS) return result;
  if (request.notifier != nullptr) {
    connection->WaitFirstReport();
    return ERROR_SUCCESS;
  }
  result = connection->WaitOutcome();
  TraceDial(request, phone, result, *handle);
  return result;
}

DWORD HangUp(HRASCONN handle) {
  const std::shared_ptr<Connection> connection = Find(handle);
  if (connection) connection->HangUp();
  const DWORD result = connection ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
  Trace(L"hangup handle=" + HandleNumber(handle) + L" result=" + std::to_wstring(result));
  return result;
}

DWORD GetStatus(HRASCONN handle, Connection::Status& status) {
  const std::shared_ptr<Connection> connection = Find(handle);
  if (!connection) return ERROR_INVALID_HANDLE;
  status = connection->GetStatus();
  return ERROR_SUCCESS;
}

DWORD AddNotification(HRASCONN handle, HANDLE event, DWORD flags) {
  // The caller may close its handle of the event; the service keeps one of its own.
  HANDLE own = nullptr;
  if (!DuplicateHandle(GetCurrentProcess(), event, GetCurrentProcess(), &own, 0, FALSE,
                       DUPLICATE_SAME_ACCESS))
    return ERROR_INVALID_HANDLE;
  AcquireSRWLockExclusive(&Lock);
  const bool known = handle == AllConnections() || (Current && Current->Handle() == handle);
  if (known) Registrations.push_back({handle, own, flags});
  ReleaseSRWLockExclusive(&Lock);
  if (known) return ERROR_SUCCESS;
  CloseHandle(own);
  return ERROR_INVALID_HANDLE;
}

void Signal(HRASCONN handle, DWORD flag) {
  AcquireSRWLockShared(&Lock);
  SignalLocked(handle, flag);
  ReleaseSRWLockShared(&Lock);
}

void Release(HRASCONN handle, bool signalDisconnection) {
  AcquireSRWLockExclusive(&Lock);
  if (Current && Current->Handle() == handle) Current.reset();
  --UnreleasedCount;
  // Traced before the events are set, so that a test woken by one finds the line.
  Trace(L"released handle=" + HandleNumber(handle));
  if (signalDisconnection) SignalLocked(handle, RASCN_Disconnection);
  std::erase_if(Registrations, [handle](const Registration& registration) {
    if (registration.handle != handle) return false;
    CloseHandle(registration.event);
    return true;
  });
  ReleaseSRWLockExclusive(&Lock);
}

long Unreleased() {
  return UnreleasedCount.load();
}

}  // namespace standin
