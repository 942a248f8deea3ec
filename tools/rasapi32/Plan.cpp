#include "Plan.h"

#include <ras.h>
#include <raserror.h>

namespace standin {
namespace {

// A key that always applies, or its *Once twin on the entry's first dial; zero means none.
DWORD Failure(const Entry& entry, const wchar_t* always, const wchar_t* once, bool firstDial) {
  if (const auto code = entry.Number(always); code && *code != 0) return *code;
  if (const auto code = entry.Number(once); code && *code != 0 && firstDial) return *code;
  return ERROR_SUCCESS;
}

bool CredentialsRefused(const Entry& entry, const DialRequest& request) {
  const auto login = entry.Text(L"acceptlogin");
  const auto password = entry.Text(L"acceptpassword");
  return (login && *login != request.user) || (password && *password != request.password);
}

}  // namespace

Plan MakePlan(const Entry& entry, const DialRequest& request, bool firstDial) {
  Plan plan;
  plan.stepMs = entry.Number(L"stepms").value_or(plan.stepMs);
  plan.releaseMs = entry.Number(L"releasems").value_or(plan.releaseMs);
  plan.refusal = Failure(entry, L"refuse", L"refuseonce", firstDial);
  if (plan.refusal != ERROR_SUCCESS) return plan;

  for (DWORD state = RASCS_OpenPort; state <= RASCS_Authenticate; ++state) {
    plan.reports.push_back({state, ERROR_SUCCESS, true});
    if (state != RASCS_OpenPort) continue;
    // A load for the status line: round the stages before authentication, without pauses.
    const DWORD burst = entry.Number(L"burst").value_or(0);
    for (DWORD i = 1; i <= burst; ++i) plan.reports.push_back({i % 5, ERROR_SUCCESS, false});
  }

  DWORD failure = Failure(entry, L"fail", L"failonce", firstDial);
  if (failure == ERROR_SUCCESS && CredentialsRefused(entry, request))
    failure = ERROR_AUTHENTICATION_FAILURE;
  if (failure != ERROR_SUCCESS) {
    plan.reports.push_back({RASCS_Authenticate, failure, true});
    return plan;
  }
  plan.reports.push_back({RASCS_Authenticated, ERROR_SUCCESS, true});
  plan.reports.push_back({RASCS_Connected, ERROR_SUCCESS, true});
  plan.dropAfterMs = entry.Number(L"dropafterms");
  plan.dropError = entry.Number(L"droperror").value_or(ERROR_REMOTE_DISCONNECTION);
  return plan;
}

}  // namespace standin
