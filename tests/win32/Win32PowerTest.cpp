// The shut-down right of this process's token, through the same calls the power-off makes.
// The power-off request itself is never made here.

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/Win32Power.h"

namespace {

// Whether the token has the privilege enabled now.
bool Enabled(HANDLE token, const LUID& id) {
  DWORD size = 0;
  ::GetTokenInformation(token, TokenPrivileges, nullptr, 0, &size);
  std::vector<unsigned char> buffer(size);
  if (!::GetTokenInformation(token, TokenPrivileges, buffer.data(), size, &size)) return false;
  const auto* privileges = reinterpret_cast<const TOKEN_PRIVILEGES*>(buffer.data());
  for (DWORD i = 0; i < privileges->PrivilegeCount; ++i) {
    const LUID_AND_ATTRIBUTES& entry = privileges->Privileges[i];
    if (entry.Luid.LowPart == id.LowPart && entry.Luid.HighPart == id.HighPart)
      return (entry.Attributes & SE_PRIVILEGE_ENABLED) != 0;
  }
  return false;
}

}  // namespace

TEST(Win32PowerTest, ShutDownRightIsFoundByNameAndEnabledInTheProcessToken) {
  platform::Win32Power power;
  std::uintptr_t token = 0;
  ASSERT_TRUE(power.OpenProcessToken(TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token));
  platform::PrivilegeId id;
  ASSERT_TRUE(power.LookUpPrivilege("SeShutdownPrivilege", id));
  const LUID luid{id.lowPart, id.highPart};
  wchar_t name[64] = {};
  DWORD length = 64;
  ASSERT_TRUE(::LookupPrivilegeNameW(nullptr, const_cast<LUID*>(&luid), name, &length));
  EXPECT_EQ(std::wstring(name), L"SeShutdownPrivilege");

  EXPECT_TRUE(power.AdjustPrivilege(token, id, SE_PRIVILEGE_ENABLED));
  EXPECT_TRUE(Enabled(reinterpret_cast<HANDLE>(token), luid));
  power.CloseToken(token);
}

TEST(Win32PowerTest, UnknownPrivilegeAndAQueryOnlyTokenFail) {
  platform::Win32Power power;
  platform::PrivilegeId id;
  EXPECT_FALSE(power.LookUpPrivilege("SeNoSuchPrivilege", id));

  std::uintptr_t token = 0;
  ASSERT_TRUE(power.LookUpPrivilege("SeShutdownPrivilege", id));
  ASSERT_TRUE(power.OpenProcessToken(TOKEN_QUERY, token));
  EXPECT_FALSE(power.AdjustPrivilege(token, id, SE_PRIVILEGE_ENABLED));
  power.CloseToken(token);
}
