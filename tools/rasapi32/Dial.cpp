// RasDial: its parameters are checked here before the service dials; the W form is
// the service's own, the A form's texts come in the process's ANSI code page.

#include <windows.h>

#include <ras.h>
#include <raserror.h>

#include "Forms.h"
#include "Service.h"
#include "Text.h"

namespace {

using namespace standin;

template <typename Char>
DWORD DialAs(const typename Forms<Char>::DialParams* params, DWORD notifierType, void* notifier,
             HRASCONN* handle) {
  DialRequest request;
  DWORD error = ERROR_SUCCESS;
  if (params == nullptr || handle == nullptr) {
    error = ERROR_INVALID_PARAMETER;
  } else if (!IsDialParamsSize<Char>(params->dwSize)) {
    error = ERROR_INVALID_SIZE;
  } else {
    request.entry = Read(params->szEntryName);
    request.phone = Read(params->szPhoneNumber);
    request.user = Read(params->szUserName);
    request.password = Read(params->szPassword);
    if (HasCallbackId<Char>(params->dwSize)) request.callbackId = params->dwCallbackId;
    request.notifierType = notifierType;
    request.notifier = notifier;
    // A handle on entry would ask to resume a paused dial, and no dial here pauses; a window
    // as the notifier is not modelled.
    if (*handle != nullptr || (notifier != nullptr && notifierType > 2))
      error = ERROR_INVALID_PARAMETER;
  }
  if (error == ERROR_SUCCESS) return Dial(request, handle);
  TraceDial(request, request.phone, error, nullptr);
  return error;
}

}  // namespace

extern "C" DWORD WINAPI RasDialW(LPRASDIALEXTENSIONS, LPCWSTR, LPRASDIALPARAMSW params,
                                 DWORD notifierType, LPVOID notifier, LPHRASCONN handle) {
  return DialAs<wchar_t>(params, notifierType, notifier, handle);
}

extern "C" DWORD WINAPI RasDialA(LPRASDIALEXTENSIONS, LPCSTR, LPRASDIALPARAMSA params,
                                 DWORD notifierType, LPVOID notifier, LPHRASCONN handle) {
  return DialAs<char>(params, notifierType, notifier, handle);
}
