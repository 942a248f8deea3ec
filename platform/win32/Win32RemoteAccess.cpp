#include "platform/win32/Win32RemoteAccess.h"

#include <ras.h>
#include <raserror.h>

#include <atomic>
#include <cstring>
#include <vector>

namespace platform {
namespace {

using EnumEntriesFn = DWORD(WINAPI*)(LPCSTR, LPCSTR, LPRASENTRYNAMEA, LPDWORD, LPDWORD);
using GetEntryDialParamsFn = DWORD(WINAPI*)(LPCSTR, LPRASDIALPARAMSA, LPBOOL);
using DialFn = DWORD(WINAPI*)(LPRASDIALEXTENSIONS, LPCSTR, LPRASDIALPARAMSA, DWORD, LPVOID,
                              LPHRASCONN);
using HangUpFn = DWORD(WINAPI*)(HRASCONN);
using GetErrorStringFn = DWORD(WINAPI*)(UINT, LPSTR, DWORD);

static_assert(RasDialParams::kEntryNameSize == RAS_MaxEntryName + 1);
static_assert(RasDialParams::kPhoneNumberSize == RAS_MaxPhoneNumber + 1);
static_assert(RasDialParams::kCallbackNumberSize == RAS_MaxCallbackNumber + 1);
static_assert(RasDialParams::kUserNameSize == UNLEN + 1);
static_assert(RasDialParams::kPasswordSize == PWLEN + 1);
static_assert(RasDialParams::kDomainSize == DNLEN + 1);

// The service calls a notifier of its own convention without context; it hands over here.
std::atomic<RemoteAccess::Notifier> CurrentNotifier{nullptr};

VOID WINAPI NotifierTrampoline(UINT message, RASCONNSTATE state, DWORD error) {
  if (RemoteAccess::Notifier notifier = CurrentNotifier.load())
    notifier(message, static_cast<std::uint32_t>(state), error);
}

template <std::size_t N>
void CopyText(char (&to)[N], const std::string& from) {
  std::memset(to, 0, N);
  std::memcpy(to, from.data(), std::min(from.size(), N - 1));
}

// The same dial record in the form the system's headers describe today.
RASDIALPARAMSA CurrentForm(const RasDialParams& params) {
  RASDIALPARAMSA current = {};
  current.dwSize = sizeof current;
  CopyText(current.szEntryName, params.EntryName());
  CopyText(current.szPhoneNumber, params.PhoneNumber());
  CopyText(current.szCallbackNumber, params.CallbackNumber());
  CopyText(current.szUserName, params.UserName());
  CopyText(current.szPassword, params.Password());
  CopyText(current.szDomain, params.Domain());
  return current;
}

void CopyBack(const RASDIALPARAMSA& current, RasDialParams& params) {
  params.SetEntryName(current.szEntryName);
  params.SetPhoneNumber(current.szPhoneNumber);
  params.SetCallbackNumber(current.szCallbackNumber);
  params.SetUserName(current.szUserName);
  params.SetPassword(current.szPassword);
  params.SetDomain(current.szDomain);
}

// GetProcAddress gives a generic pointer; passing through void (*)() says the cast is meant.
template <typename Fn>
Fn As(FARPROC address) {
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(address));
}

auto* Record(RasDialParams& params) {
  return reinterpret_cast<LPRASDIALPARAMSA>(params.Data());
}

}  // namespace

Win32RemoteAccess::Win32RemoteAccess() {
  library_ = LoadLibraryExW(L"rasapi32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (library_ == nullptr) return;
  enumEntries_ = GetProcAddress(library_, "RasEnumEntriesA");
  getEntryDialParams_ = GetProcAddress(library_, "RasGetEntryDialParamsA");
  dial_ = GetProcAddress(library_, "RasDialA");
  hangUp_ = GetProcAddress(library_, "RasHangUpA");
  getErrorString_ = GetProcAddress(library_, "RasGetErrorStringA");
}

Win32RemoteAccess::~Win32RemoteAccess() {
  // The service may still call the notifier; the library stays loaded until the process ends.
}

std::uint32_t Win32RemoteAccess::EnumEntries(RasEntryNames& buffer, std::uint32_t& byteCount,
                                             std::uint32_t& entryCount) {
  if (enumEntries_ == nullptr) return kServiceUnavailable;
  const auto enumEntries = As<EnumEntriesFn>(enumEntries_);
  DWORD bytes = byteCount;
  DWORD count = 0;
  DWORD result = enumEntries(nullptr, nullptr, reinterpret_cast<LPRASENTRYNAMEA>(buffer.Data()),
                             &bytes, &count);
  if (result == ERROR_INVALID_SIZE) {
    std::vector<RASENTRYNAMEA> current(RasEntryNames::kCapacity);
    current[0].dwSize = sizeof(RASENTRYNAMEA);
    bytes = static_cast<DWORD>(current.size() * sizeof(RASENTRYNAMEA));
    result = enumEntries(nullptr, nullptr, current.data(), &bytes, &count);
    if (result == 0) {
      count = std::min<DWORD>(count, RasEntryNames::kCapacity);
      for (DWORD i = 0; i < count; ++i) buffer.SetName(i, current[i].szEntryName);
      bytes = count * RasEntryNames::kRecordSize;
    }
  }
  byteCount = bytes;
  entryCount = count;
  return result;
}

std::uint32_t Win32RemoteAccess::GetEntryDialParams(RasDialParams& params, bool& passwordStored) {
  if (getEntryDialParams_ == nullptr) return kServiceUnavailable;
  const auto getEntryDialParams = As<GetEntryDialParamsFn>(getEntryDialParams_);
  BOOL stored = FALSE;
  DWORD result = getEntryDialParams(nullptr, Record(params), &stored);
  if (result == ERROR_INVALID_SIZE) {
    RASDIALPARAMSA current = CurrentForm(params);
    result = getEntryDialParams(nullptr, &current, &stored);
    if (result == 0) CopyBack(current, params);
  }
  passwordStored = stored != FALSE;
  return result;
}

std::uint32_t Win32RemoteAccess::Dial(const RasDialParams& params, Notifier notifier,
                                      std::uintptr_t& handle) {
  if (dial_ == nullptr) return kServiceUnavailable;
  const auto dial = As<DialFn>(dial_);
  CurrentNotifier = notifier;
  RasDialParams record = params;
  HRASCONN connection = reinterpret_cast<HRASCONN>(handle);
  DWORD result = dial(nullptr, nullptr, Record(record), 0,
                      reinterpret_cast<LPVOID>(&NotifierTrampoline), &connection);
  if (result == ERROR_INVALID_SIZE) {
    RASDIALPARAMSA current = CurrentForm(params);
    result = dial(nullptr, nullptr, &current, 0, reinterpret_cast<LPVOID>(&NotifierTrampoline),
                  &connection);
  }
  handle = reinterpret_cast<std::uintptr_t>(connection);
  return result;
}

std::uint32_t Win32RemoteAccess::HangUp(std::uintptr_t handle) {
  if (hangUp_ == nullptr) return kServiceUnavailable;
  return As<HangUpFn>(hangUp_)(reinterpret_cast<HRASCONN>(handle));
}

std::uint32_t Win32RemoteAccess::GetErrorString(std::uint32_t error, char* buffer,
                                                std::uint32_t size) {
  if (getErrorString_ == nullptr) return kServiceUnavailable;
  return As<GetErrorStringFn>(getErrorString_)(error, buffer, size);
}

}  // namespace platform
