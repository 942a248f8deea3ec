// The remote-access stand-in (tools/rasapi32) loaded as the program loads the real service,
// at the points of the calls' contract where programs go wrong. Each case writes its own phone
// book; steps are short so that the waits end soon.

#include <gtest/gtest.h>

#include <windows.h>

#include <ras.h>
#include <raserror.h>

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <functional>
#include <iterator>
#include <mutex>
#include <string>
#include <vector>

#include "tests/support/TempFolder.h"

namespace {

using EnumEntriesA = DWORD(WINAPI*)(LPCSTR, LPCSTR, LPRASENTRYNAMEA, LPDWORD, LPDWORD);
using EnumEntriesW = DWORD(WINAPI*)(LPCWSTR, LPCWSTR, LPRASENTRYNAMEW, LPDWORD, LPDWORD);
using GetEntryDialParamsA = DWORD(WINAPI*)(LPCSTR, LPRASDIALPARAMSA, LPBOOL);
using DialA = DWORD(WINAPI*)(LPRASDIALEXTENSIONS, LPCSTR, LPRASDIALPARAMSA, DWORD, LPVOID,
                             LPHRASCONN);
using HangUpA = DWORD(WINAPI*)(HRASCONN);
using GetConnectStatusA = DWORD(WINAPI*)(HRASCONN, LPRASCONNSTATUSA);
using ConnectionNotificationA = DWORD(WINAPI*)(HRASCONN, HANDLE, DWORD);
using GetErrorStringW = DWORD(WINAPI*)(UINT, LPWSTR, DWORD);

// The forms a program built with the oldest headers passes, as this one's does.
constexpr DWORD kLegacyEntryName = 264;
constexpr DWORD kLegacyDialParams = 1052;

struct Reported {
  HRASCONN handle;
  RASCONNSTATE state;
  DWORD error;
};
std::mutex ReportsLock;
std::vector<Reported> Reports;

VOID WINAPI Record(HRASCONN handle, UINT, RASCONNSTATE state, DWORD error, DWORD) {
  std::lock_guard lock(ReportsLock);
  Reports.push_back({handle, state, error});
}

std::vector<Reported> ReportsNow() {
  std::lock_guard lock(ReportsLock);
  return Reports;
}

bool WaitUntil(const std::function<bool()>& condition) {
  for (const ULONGLONG end = ::GetTickCount64() + 10000; !condition(); ::Sleep(10))
    if (::GetTickCount64() > end) return false;
  return true;
}

std::string Cp1251(const std::wstring& text) {
  std::string bytes(text.size() * 2, '\0');
  bytes.resize(::WideCharToMultiByte(1251, 0, text.data(), static_cast<int>(text.size()),
                                     bytes.data(), static_cast<int>(bytes.size()), nullptr,
                                     nullptr));
  return bytes;
}

class RasStandInTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(module_, nullptr) << "the stand-in is not in the prefix (BRUMELKA_RAS_STANDIN)";
    std::lock_guard lock(ReportsLock);
    Reports.clear();
  }
  // A case that failed half-way still lets the port go, so that the next case can dial.
  void TearDown() override {
    for (HRASCONN handle : dialled_)
      if (hangUp_(handle) == ERROR_SUCCESS) Released(handle);
    ::SetEnvironmentVariableW(L"BRUMELKA_RAS_PHONEBOOK", nullptr);
  }

  template <typename Fn>
  Fn Get(const char* name) {
    const FARPROC address = ::GetProcAddress(module_, name);
    EXPECT_NE(address, nullptr) << name;
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(address));
  }

  void UsePhoneBook(const std::wstring& text) {
    folder_.Write("phonebook.ini", Cp1251(text));
    const std::wstring path = (folder_.Path() / "phonebook.ini").wstring();
    ::SetEnvironmentVariableW(L"BRUMELKA_RAS_PHONEBOOK", path.c_str());
  }

  DWORD Dial(const char* entry, HRASCONN& handle) {
    RASDIALPARAMSA params = {};
    params.dwSize = kLegacyDialParams;
    std::strcpy(params.szEntryName, entry);
    const DWORD result =
        dial_(nullptr, nullptr, &params, 1, reinterpret_cast<LPVOID>(&Record), &handle);
    if (result != ERROR_INVALID_PARAMETER && handle != nullptr) dialled_.push_back(handle);
    return result;
  }

  DWORD Status(HRASCONN handle, RASCONNSTATUSA& status) {
    status = {};
    status.dwSize = sizeof status;
    return getStatus_(handle, &status);
  }

  bool Released(HRASCONN handle) {
    RASCONNSTATUSA status;
    return WaitUntil([&] { return Status(handle, status) == ERROR_INVALID_HANDLE; });
  }

  testing_support::TempFolder folder_;
  // Loaded as the program loads the service; never unloaded, as the program never unloads it.
  HMODULE module_ = ::LoadLibraryExW(L"rasapi32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  DialA dial_ = Get<DialA>("RasDialA");
  HangUpA hangUp_ = Get<HangUpA>("RasHangUpA");
  GetConnectStatusA getStatus_ = Get<GetConnectStatusA>("RasGetConnectStatusA");
  std::vector<HRASCONN> dialled_;
};

}  // namespace

TEST_F(RasStandInTest, RecordsOfEveryFormAndNoOtherAreAcceptedAndFilled) {
  UsePhoneBook(
      L"; comment\n[Мій провайдер]\nPhone=5550100\n[Other]\n"
      L"Phone = 5550101 \nLOGIN=guest\nPassword=secret\n");
  const auto enumA = Get<EnumEntriesA>("RasEnumEntriesA");
  std::vector<BYTE> buffer(2 * kLegacyEntryName);
  reinterpret_cast<RASENTRYNAMEA*>(buffer.data())->dwSize = kLegacyEntryName;
  DWORD bytes = kLegacyEntryName, count = 0;
  EXPECT_EQ(
      enumA(nullptr, nullptr, reinterpret_cast<LPRASENTRYNAMEA>(buffer.data()), &bytes, &count),
      DWORD{ERROR_BUFFER_TOO_SMALL});
  EXPECT_EQ(bytes, 2 * kLegacyEntryName);
  EXPECT_EQ(count, 2u);
  ASSERT_EQ(
      enumA(nullptr, nullptr, reinterpret_cast<LPRASENTRYNAMEA>(buffer.data()), &bytes, &count),
      DWORD{ERROR_SUCCESS});
  const auto* second = reinterpret_cast<RASENTRYNAMEA*>(buffer.data() + kLegacyEntryName);
  EXPECT_EQ(second->dwSize, kLegacyEntryName);
  EXPECT_STREQ(second->szEntryName, "Other");
  reinterpret_cast<RASENTRYNAMEA*>(buffer.data())->dwSize = kLegacyEntryName - 1;
  EXPECT_EQ(
      enumA(nullptr, nullptr, reinterpret_cast<LPRASENTRYNAMEA>(buffer.data()), &bytes, &count),
      DWORD{ERROR_INVALID_SIZE});

  const auto enumW = Get<EnumEntriesW>("RasEnumEntriesW");
  bytes = 0;
  EXPECT_EQ(enumW(nullptr, nullptr, nullptr, &bytes, &count), DWORD{ERROR_BUFFER_TOO_SMALL});
  EXPECT_EQ(bytes, 2 * sizeof(RASENTRYNAMEW));
  std::vector<RASENTRYNAMEW> names(2);
  names[0].dwSize = sizeof(RASENTRYNAMEW);
  ASSERT_EQ(enumW(nullptr, nullptr, names.data(), &bytes, &count), DWORD{ERROR_SUCCESS});
  EXPECT_STREQ(names[0].szEntryName, L"Мій провайдер");

  const auto getParams = Get<GetEntryDialParamsA>("RasGetEntryDialParamsA");
  RASDIALPARAMSA params = {};
  params.dwSize = kLegacyDialParams;
  std::strcpy(params.szEntryName, "Other");
  BOOL passwordStored = FALSE;
  ASSERT_EQ(getParams(nullptr, &params, &passwordStored), DWORD{ERROR_SUCCESS});
  EXPECT_STREQ(params.szPhoneNumber, "5550101");
  EXPECT_STREQ(params.szUserName, "guest");
  EXPECT_STREQ(params.szPassword, "secret");
  EXPECT_TRUE(passwordStored);
  params.dwSize = kLegacyDialParams - 1;
  EXPECT_EQ(getParams(nullptr, &params, &passwordStored), DWORD{ERROR_INVALID_SIZE});
  params.dwSize = sizeof params;
  std::strcpy(params.szEntryName, "Nobody");
  EXPECT_EQ(getParams(nullptr, &params, &passwordStored), DWORD{ERROR_CANNOT_FIND_PHONEBOOK_ENTRY});

  ::SetEnvironmentVariableW(L"BRUMELKA_RAS_PHONEBOOK", (folder_.Path() / "gone.ini").c_str());
  EXPECT_EQ(enumW(nullptr, nullptr, names.data(), &bytes, &count),
            DWORD{ERROR_CANNOT_OPEN_PHONEBOOK});
}

TEST_F(RasStandInTest, DialReportsItsFirstStageBeforeReturningAndIsKnownUntilItsRelease) {
  UsePhoneBook(L"[Fast]\nPhone=5550100\nStepMs=20\nReleaseMs=2000\n");
  HRASCONN handle = reinterpret_cast<HRASCONN>(1);
  EXPECT_EQ(Dial("Fast", handle), DWORD{ERROR_INVALID_PARAMETER});

  handle = nullptr;
  ASSERT_EQ(Dial("Fast", handle), DWORD{ERROR_SUCCESS});
  const std::vector<Reported> atReturn = ReportsNow();
  ASSERT_FALSE(atReturn.empty());
  EXPECT_EQ(atReturn[0].state, RASCS_OpenPort);
  EXPECT_EQ(atReturn[0].handle, handle);

  ASSERT_TRUE(WaitUntil([] { return ReportsNow().back().state == RASCS_Connected; }));
  const std::vector<Reported> reports = ReportsNow();
  EXPECT_EQ(reports[reports.size() - 2].state, RASCS_Authenticated);
  RASCONNSTATUSA status;
  ASSERT_EQ(Status(handle, status), DWORD{ERROR_SUCCESS});
  EXPECT_EQ(status.rasconnstate, RASCS_Connected);
  EXPECT_STREQ(status.szDeviceType, "modem");
  EXPECT_STREQ(status.szPhoneNumber, "5550100");

  EXPECT_EQ(hangUp_(handle), DWORD{ERROR_SUCCESS});
  ASSERT_EQ(Status(handle, status), DWORD{ERROR_SUCCESS});
  EXPECT_EQ(status.rasconnstate, RASCS_Disconnected);
  EXPECT_TRUE(Released(handle));
  EXPECT_EQ(hangUp_(handle), DWORD{ERROR_INVALID_HANDLE});
  EXPECT_EQ(ReportsNow().size(), reports.size());
}

TEST_F(RasStandInTest, RefusedDialHoldsThePortUntilItsRelease) {
  UsePhoneBook(L"[Busy]\nRefuse=676\nReleaseMs=1500\n[Fast]\nStepMs=10\nReleaseMs=100\n");
  HRASCONN busy = nullptr, fast = nullptr;
  EXPECT_EQ(Dial("Busy", busy), DWORD{ERROR_LINE_BUSY});
  ASSERT_NE(busy, nullptr);
  EXPECT_EQ(Dial("Fast", fast), DWORD{ERROR_PORT_ALREADY_OPEN});
  EXPECT_EQ(fast, nullptr);

  EXPECT_EQ(hangUp_(busy), DWORD{ERROR_SUCCESS});
  EXPECT_EQ(Dial("Fast", fast), DWORD{ERROR_PORT_ALREADY_OPEN});
  ASSERT_TRUE(Released(busy));
  ASSERT_EQ(Dial("Fast", fast), DWORD{ERROR_SUCCESS});
  EXPECT_NE(fast, busy);
  EXPECT_EQ(hangUp_(fast), DWORD{ERROR_SUCCESS});
  EXPECT_TRUE(Released(fast));
}

TEST_F(RasStandInTest, DroppedLineShowsInTheStatusAndTheNotificationOnly) {
  UsePhoneBook(L"[Flaky]\nStepMs=10\nDropAfterMs=200\nDropError=628\nReleaseMs=100\n");
  const auto notify = Get<ConnectionNotificationA>("RasConnectionNotificationA");
  const HANDLE up = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  const HANDLE down = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  const auto all = reinterpret_cast<HRASCONN>(INVALID_HANDLE_VALUE);
  ASSERT_EQ(notify(all, up, RASCN_Connection), DWORD{ERROR_SUCCESS});
  HRASCONN handle = nullptr;
  ASSERT_EQ(Dial("Flaky", handle), DWORD{ERROR_SUCCESS});
  ASSERT_EQ(notify(handle, down, RASCN_Disconnection), DWORD{ERROR_SUCCESS});

  EXPECT_EQ(::WaitForSingleObject(up, 10000), WAIT_OBJECT_0);
  ASSERT_EQ(::WaitForSingleObject(down, 10000), WAIT_OBJECT_0);
  RASCONNSTATUSA status;
  ASSERT_EQ(Status(handle, status), DWORD{ERROR_SUCCESS});
  EXPECT_EQ(status.rasconnstate, RASCS_Disconnected);
  EXPECT_EQ(status.dwError, DWORD{ERROR_DISCONNECTION});
  EXPECT_EQ(ReportsNow().back().state, RASCS_Connected);
  HRASCONN again = nullptr;
  EXPECT_EQ(Dial("Flaky", again), DWORD{ERROR_PORT_ALREADY_OPEN});

  EXPECT_EQ(hangUp_(handle), DWORD{ERROR_SUCCESS});
  EXPECT_TRUE(Released(handle));
  ::CloseHandle(up);
  ::CloseHandle(down);
}

TEST_F(RasStandInTest, ErrorTextIsGivenOnlyWhenItFitsWhole) {
  const auto getText = Get<GetErrorStringW>("RasGetErrorStringW");
  wchar_t text[512];
  ASSERT_EQ(getText(ERROR_AUTHENTICATION_FAILURE, text, 512), DWORD{ERROR_SUCCESS});
  const DWORD length = static_cast<DWORD>(std::wcslen(text));
  ASSERT_GT(length, 0u);

  wchar_t tight[512];
  std::fill(std::begin(tight), std::end(tight), L'#');
  EXPECT_EQ(getText(ERROR_AUTHENTICATION_FAILURE, tight, length), DWORD{ERROR_INSUFFICIENT_BUFFER});
  EXPECT_EQ(tight[0], L'#');
  EXPECT_EQ(getText(ERROR_AUTHENTICATION_FAILURE, tight, length + 1), DWORD{ERROR_SUCCESS});
  EXPECT_STREQ(tight, text);
  EXPECT_EQ(getText(ERROR_AUTHENTICATION_FAILURE, nullptr, 512), DWORD{ERROR_INVALID_PARAMETER});
  EXPECT_EQ(getText(1, text, 512), DWORD{ERROR_INVALID_PARAMETER});
}
