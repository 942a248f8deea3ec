#include "platform/win32/Win32RemoteAccess.h"

#include <ras.h>
#include <raserror.h>

#include <atomic>
#include <cstddef>
#include <cstring>
#include <vector>

#include "platform/win32/Win32SystemLibrary.h"
#include "platform/win32/Win32Text.h"

namespace platform {
namespace {

using EnumEntriesFn = DWORD(WINAPI*)(LPCWSTR, LPCWSTR, LPRASENTRYNAMEW, LPDWORD, LPDWORD);
using GetEntryDialParamsFn = DWORD(WINAPI*)(LPCWSTR, LPRASDIALPARAMSW, LPBOOL);
using DialFn = DWORD(WINAPI*)(LPRASDIALEXTENSIONS, LPCWSTR, LPRASDIALPARAMSW, DWORD, LPVOID,
                              LPHRASCONN);
using HangUpFn = DWORD(WINAPI*)(HRASCONN);
using GetConnectStatusFn = DWORD(WINAPI*)(HRASCONN, LPRASCONNSTATUSW);
using GetErrorStringFn = DWORD(WINAPI*)(UINT, LPWSTR, DWORD);

static_assert(RasDialParams::kEntryNameSize == RAS_MaxEntryName + 1);
static_assert(RasDialParams::kPhoneNumberSize == RAS_MaxPhoneNumber + 1);
static_assert(RasDialParams::kCallbackNumberSize == RAS_MaxCallbackNumber + 1);
static_assert(RasDialParams::kUserNameSize == UNLEN + 1);
static_assert(RasDialParams::kPasswordSize == PWLEN + 1);
static_assert(RasDialParams::kDomainSize == DNLEN + 1);

// The notifier of type 1 names the connection a report belongs to, so that a late report of
// a connection already hung up can be told from the next dial's.
constexpr DWORD kNotifierWithConnection = 1;

// The forms of a record from the newest down: a service older than the headers refuses the
// newer sizes with ERROR_INVALID_SIZE and takes one of the forms it was made with.
constexpr DWORD Aligned(std::size_t size, std::size_t alignment) {
  return static_cast<DWORD>((size + alignment - 1) / alignment * alignment);
}
const DWORD kDialParamsSizes[] = {
    sizeof(RASDIALPARAMSW),
    Aligned(offsetof(RASDIALPARAMSW, dwCallbackId) + sizeof(ULONG_PTR), alignof(RASDIALPARAMSW)),
    Aligned(offsetof(RASDIALPARAMSW, dwSubEntry), alignof(DWORD)),
};
const DWORD kEntryNameSizes[] = {
    sizeof(RASENTRYNAMEW),
    Aligned(offsetof(RASENTRYNAMEW, dwFlags), alignof(DWORD)),
};

// The service calls a notifier of its own convention without our context; it hands over here.
std::atomic<RemoteAccess::Notifier> CurrentNotifier{nullptr};

VOID WINAPI NotifierTrampoline(HRASCONN connection, UINT, RASCONNSTATE state, DWORD error, DWORD) {
  if (RemoteAccess::Notifier notifier = CurrentNotifier.load())
    notifier(reinterpret_cast<std::uintptr_t>(connection), static_cast<std::uint32_t>(state),
             error);
}

template <std::size_t N>
void CopyText(WCHAR (&to)[N], const std::string& cp1251) {
  const std::wstring wide = win32::Wide(cp1251);
  std::memset(to, 0, sizeof to);
  std::wmemcpy(to, wide.data(), std::min(wide.size(), N - 1));
}

template <std::size_t N>
std::string TextOf(const WCHAR (&from)[N]) {
  return win32::Narrow(std::wstring_view(from, wcsnlen(from, N)));
}

RASDIALPARAMSW WideForm(const RasDialParams& params, DWORD size) {
  RASDIALPARAMSW wide = {};
  wide.dwSize = size;
  CopyText(wide.szEntryName, params.EntryName());
  CopyText(wide.szPhoneNumber, params.PhoneNumber());
  CopyText(wide.szCallbackNumber, params.CallbackNumber());
  CopyText(wide.szUserName, params.UserName());
  CopyText(wide.szPassword, params.Password());
  CopyText(wide.szDomain, params.Domain());
  return wide;
}

void CopyBack(const RASDIALPARAMSW& wide, RasDialParams& params) {
  params.SetEntryName(TextOf(wide.szEntryName));
  params.SetPhoneNumber(TextOf(wide.szPhoneNumber));
  params.SetCallbackNumber(TextOf(wide.szCallbackNumber));
  params.SetUserName(TextOf(wide.szUserName));
  params.SetPassword(TextOf(wide.szPassword));
  params.SetDomain(TextOf(wide.szDomain));
}

// GetProcAddress gives a generic pointer; passing through void (*)() says the cast is meant.
template <typename Fn>
Fn As(FARPROC address) {
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(address));
}

// Calls `call(size)` with each form's size until the service takes one.
template <std::size_t N, typename Call>
DWORD WithFirstAcceptedSize(const DWORD (&sizes)[N], Call call) {
  DWORD result = ERROR_INVALID_SIZE;
  for (DWORD size : sizes)
    if ((result = call(size)) != ERROR_INVALID_SIZE) break;
  return result;
}

}  // namespace

Win32RemoteAccess::Win32RemoteAccess() {
  library_ = win32::LoadSystemLibrary(L"rasapi32.dll");
  if (library_ == nullptr) return;
  enumEntries_ = GetProcAddress(library_, "RasEnumEntriesW");
  getEntryDialParams_ = GetProcAddress(library_, "RasGetEntryDialParamsW");
  dial_ = GetProcAddress(library_, "RasDialW");
  hangUp_ = GetProcAddress(library_, "RasHangUpW");
  getConnectStatus_ = GetProcAddress(library_, "RasGetConnectStatusW");
  getErrorString_ = GetProcAddress(library_, "RasGetErrorStringW");
}

Win32RemoteAccess::~Win32RemoteAccess() {
  // The service may still call the notifier; the library stays loaded until the process ends.
}

std::uint32_t Win32RemoteAccess::EnumEntries(std::vector<std::string>& names) {
  names.clear();
  if (enumEntries_ == nullptr) return kServiceUnavailable;
  const auto enumEntries = As<EnumEntriesFn>(enumEntries_);
  std::vector<std::byte> buffer;
  DWORD count = 0;
  DWORD recordSize = 0;
  const DWORD result = WithFirstAcceptedSize(kEntryNameSizes, [&](DWORD size) {
    recordSize = size;
    DWORD bytes = size * 16;
    DWORD answer = ERROR_BUFFER_TOO_SMALL;
    // The service answers how many bytes all entries take; a phone book that grew between
    // two calls is asked once more.
    for (int tries = 0; tries < 4 && answer == ERROR_BUFFER_TOO_SMALL; ++tries) {
      buffer.assign(std::max(bytes, size), std::byte{0});
      std::memcpy(buffer.data(), &size, sizeof size);
      bytes = static_cast<DWORD>(buffer.size());
      answer = enumEntries(nullptr, nullptr, reinterpret_cast<LPRASENTRYNAMEW>(buffer.data()),
                           &bytes, &count);
    }
    return answer;
  });
  if (result != 0) return result;
  count = std::min<DWORD>(count, static_cast<DWORD>(buffer.size() / recordSize));
  for (DWORD i = 0; i < count; ++i) {
    const auto* record = reinterpret_cast<const RASENTRYNAMEW*>(buffer.data() + i * recordSize);
    names.push_back(TextOf(record->szEntryName));
  }
  return 0;
}

std::uint32_t Win32RemoteAccess::GetEntryDialParams(RasDialParams& params, bool& passwordStored) {
  if (getEntryDialParams_ == nullptr) return kServiceUnavailable;
  const auto getEntryDialParams = As<GetEntryDialParamsFn>(getEntryDialParams_);
  BOOL stored = FALSE;
  RASDIALPARAMSW wide;
  const DWORD result = WithFirstAcceptedSize(kDialParamsSizes, [&](DWORD size) {
    wide = WideForm(params, size);
    return getEntryDialParams(nullptr, &wide, &stored);
  });
  if (result == 0) CopyBack(wide, params);
  passwordStored = stored != FALSE;
  return result;
}

std::uint32_t Win32RemoteAccess::Dial(const RasDialParams& params, Notifier notifier,
                                      std::uintptr_t& handle) {
  if (dial_ == nullptr) return kServiceUnavailable;
  const auto dial = As<DialFn>(dial_);
  CurrentNotifier = notifier;
  HRASCONN connection = nullptr;
  const DWORD result = WithFirstAcceptedSize(kDialParamsSizes, [&](DWORD size) {
    RASDIALPARAMSW wide = WideForm(params, size);
    return dial(nullptr, nullptr, &wide, kNotifierWithConnection,
                reinterpret_cast<LPVOID>(&NotifierTrampoline), &connection);
  });
  handle = reinterpret_cast<std::uintptr_t>(connection);
  return result;
}

std::uint32_t Win32RemoteAccess::HangUp(std::uintptr_t handle) {
  if (hangUp_ == nullptr) return kServiceUnavailable;
  return As<HangUpFn>(hangUp_)(reinterpret_cast<HRASCONN>(handle));
}

std::uint32_t Win32RemoteAccess::GetConnectStatus(std::uintptr_t handle, std::uint32_t& state,
                                                  std::uint32_t& error) {
  if (getConnectStatus_ == nullptr) return kServiceUnavailable;
  RASCONNSTATUSW status = {};
  status.dwSize = sizeof status;
  const DWORD result =
      As<GetConnectStatusFn>(getConnectStatus_)(reinterpret_cast<HRASCONN>(handle), &status);
  if (result == 0) {
    state = static_cast<std::uint32_t>(status.rasconnstate);
    error = status.dwError;
  }
  return result;
}

std::uint32_t Win32RemoteAccess::GetErrorString(std::uint32_t error, std::string& text) {
  text.clear();
  if (getErrorString_ == nullptr) return kServiceUnavailable;
  const auto getErrorString = As<GetErrorStringFn>(getErrorString_);
  // Windows' texts fit in 256 characters as a rule; a longer one is asked for again in a
  // larger buffer rather than cut.
  constexpr DWORD kLongestText = 64 * 1024;
  for (DWORD size = 256; size <= kLongestText; size *= 4) {
    std::wstring buffer(size, L'\0');
    const DWORD result = getErrorString(error, buffer.data(), size);
    if (result == ERROR_INSUFFICIENT_BUFFER) continue;
    if (result == 0)
      text = win32::Narrow(std::wstring_view(buffer.data(), wcsnlen(buffer.data(), size)));
    return result;
  }
  return ERROR_INSUFFICIENT_BUFFER;
}

}  // namespace platform
