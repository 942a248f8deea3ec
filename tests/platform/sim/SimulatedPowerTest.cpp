// The simulated power-off: the shut-down right as the system grants it, and the request
// written down instead of carried out.

#include <gtest/gtest.h>

#include "platform/sim/SimulatedPower.h"
#include "tests/support/TempFolder.h"

TEST(SimulatedPowerTest, GrantsOnlyTheShutDownRightOfTheTokenItOpened) {
  testing_support::TempFolder folder;
  platform::SimulatedPower power(folder.Path(), nullptr);
  std::uintptr_t token = 0;
  ASSERT_TRUE(power.OpenProcessToken(40, token));
  platform::PrivilegeId shutdown;
  ASSERT_TRUE(power.LookUpPrivilege("SeShutdownPrivilege", shutdown));
  EXPECT_TRUE(power.AdjustPrivilege(token, shutdown, 2));

  platform::PrivilegeId other;
  EXPECT_FALSE(power.LookUpPrivilege("SeDebugPrivilege", other));
  EXPECT_FALSE(power.AdjustPrivilege(token + 1, shutdown, 2));
}

TEST(SimulatedPowerTest, EachRequestIsAppendedToTheSystemLogThenTheProgramIsEnded) {
  testing_support::TempFolder folder;
  folder.Write("system.log", "earlier\r\n");
  std::vector<std::string> seen;
  platform::SimulatedPower power(folder.Path(), [&] { seen.push_back(folder.Read("system.log")); });
  power.RequestShutdown(12);
  power.RequestShutdown(8);
  const std::string first = "earlier\r\npower-off requested, flags 12\r\n";
  EXPECT_EQ(seen, (std::vector<std::string>{first, first + "power-off requested, flags 8\r\n"}));
}
