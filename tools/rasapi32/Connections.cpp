// RasHangUp, RasGetConnectStatus and RasConnectionNotification.

#include <windows.h>

#include <ras.h>
#include <raserror.h>

#include <cstring>

#include "Forms.h"
#include "Service.h"
#include "Text.h"

namespace {

using namespace standin;

template <typename Char>
DWORD GetConnectStatus(HRASCONN handle, typename Forms<Char>::ConnStatus* status) {
  if (status == nullptr) return ERROR_INVALID_PARAMETER;
  const DWORD size = status->dwSize;
  if (!IsConnStatusSize<Char>(size)) return ERROR_INVALID_SIZE;
  Connection::Status now;
  const DWORD result = GetStatus(handle, now);
  if (result != ERROR_SUCCESS) return result;
  std::memset(status, 0, size);
  status->dwSize = size;
  status->rasconnstate = static_cast<RASCONNSTATE>(now.state);
  status->dwError = now.error;
  Write(status->szDeviceType, L"modem");
  Write(status->szDeviceName, L"Standard 56000 bps Modem");
  if (HasPhoneNumber<Char>(size)) Write(status->szPhoneNumber, now.phone);
  return ERROR_SUCCESS;
}

}  // namespace

extern "C" DWORD WINAPI RasHangUpW(HRASCONN handle) {
  return HangUp(handle);
}

extern "C" DWORD WINAPI RasHangUpA(HRASCONN handle) {
  return HangUp(handle);
}

extern "C" DWORD WINAPI RasGetConnectStatusW(HRASCONN handle, LPRASCONNSTATUSW status) {
  return GetConnectStatus<wchar_t>(handle, status);
}

extern "C" DWORD WINAPI RasGetConnectStatusA(HRASCONN handle, LPRASCONNSTATUSA status) {
  return GetConnectStatus<char>(handle, status);
}

extern "C" DWORD WINAPI RasConnectionNotificationW(HRASCONN handle, HANDLE event, DWORD flags) {
  return AddNotification(handle, event, flags);
}

extern "C" DWORD WINAPI RasConnectionNotificationA(HRASCONN handle, HANDLE event, DWORD flags) {
  return AddNotification(handle, event, flags);
}
