#pragma once
// What one dial of a phone-book entry does, decided from the entry's keys when it is dialled.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "PhoneBook.h"

namespace standin {

// A RasDial call with its texts in UTF-16, whichever form it came in.
struct DialRequest {
  std::wstring entry, phone, user, password;
  DWORD notifierType = 0;
  void* notifier = nullptr;
  ULONG_PTR callbackId = 0;
};

struct Report {
  DWORD state;
  DWORD error;
  bool afterPause;  // false for a burst's reports, which follow the first one at once
};

struct Plan {
  DWORD refusal = ERROR_SUCCESS;  // RasDial's result at once, the handle and the port kept
  std::vector<Report> reports;    // ending with an error report or RASCS_Connected
  DWORD stepMs = 300;
  std::optional<DWORD> dropAfterMs;
  DWORD dropError = 0;
  DWORD releaseMs = 500;
};

// `firstDial`: the first dial of this entry in the process, which the *Once keys concern.
Plan MakePlan(const Entry& entry, const DialRequest& request, bool firstDial);

}  // namespace standin
