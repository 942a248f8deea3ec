// Sessions read from hand-made logs, one timeline for the whole computer, reported per user and
// month (CSV records: month, user, sessions, time on line, longest session, open-ended ones).

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/ReportHarness.h"

namespace {

using report_testing::CsvRecords;
using report_testing::LogOf;
using report_testing::Reporter;
using Records = std::vector<std::string>;

Records Report(const std::vector<std::string>& lines) {
  const report_testing::Printed printed = Reporter{LogOf(lines)}({"--csv"});
  EXPECT_EQ(printed.exitCode, 0) << printed.err;
  return CsvRecords(printed);
}

TEST(Sessions, OneSessionRunsFromConnectToDisconnect) {
  EXPECT_EQ(Report({"root з`єднався 08.12.2026 о такій годині: 6:45:54",
                    "root працював 08.12.2026 о такій годині: 6:55:54",
                    "root розз`єднався 08.12.2026 о такій годині: 7:00:00"}),
            Records{"2026-12,root,1,0:14:06,0:14:06,0"});
}

TEST(Sessions, APowerOffLineClosesTheSessionAndOneAfterADisconnectAddsNothing) {
  EXPECT_EQ(Report({"root з`єднався 08.12.2026 о такій годині: 6:00:00",
                    "root вимкнув ПК 08.12.2026 о такій годині: 6:30:00",
                    "root з`єднався 09.12.2026 о такій годині: 6:00:00",
                    "root розз`єднався 09.12.2026 о такій годині: 6:10:00",
                    "root вимкнув ПК 09.12.2026 о такій годині: 6:10:01"}),
            Records{"2026-12,root,2,0:40:00,0:30:00,0"});
}

TEST(Sessions, ASessionAcrossMidnightStaysWhole) {
  EXPECT_EQ(Report({"root з`єднався 07.12.2026 о такій годині: 23:50:00",
                    "root працював 08.12.2026 о такій годині: 0:00:00",
                    "root розз`єднався 08.12.2026 о такій годині: 0:20:30"}),
            Records{"2026-12,root,1,0:30:30,0:30:30,0"});
}

TEST(Sessions, ASessionAcrossAMonthsEndIsSplitBetweenTheMonthsNewestFirst) {
  EXPECT_EQ(Report({"mama з`єднався 30.11.2026 о такій годині: 23:00:00",
                    "mama розз`єднався 01.12.2026 о такій годині: 1:30:00",
                    "mama з`єднався 31.12.2026 о такій годині: 23:59:00",
                    "mama розз`єднався 01.01.2027 о такій годині: 0:01:30"}),
            (Records{"2027-01,mama,1,0:01:30,0:01:30,0", "2026-12,mama,2,1:31:00,1:30:00,0",
                     "2026-11,mama,1,1:00:00,1:00:00,0"}));
}

TEST(Sessions, ASessionEndingRightAtMidnightOfTheFirstStaysInItsMonth) {
  EXPECT_EQ(Report({"mama з`єднався 30.11.2026 о такій годині: 23:00:00",
                    "mama розз`єднався 01.12.2026 о такій годині: 0:00:00"}),
            Records{"2026-11,mama,1,1:00:00,1:00:00,0"});
}

TEST(Sessions, TwoUsersTakingTurnsAreCountedApart) {
  EXPECT_EQ(Report({"root з`єднався 08.12.2026 о такій годині: 10:00:00",
                    "root розз`єднався 08.12.2026 о такій годині: 11:00:00",
                    "mama з`єднався 08.12.2026 о такій годині: 12:00:00",
                    "mama розз`єднався 08.12.2026 о такій годині: 12:30:00",
                    "root з`єднався 08.12.2026 о такій годині: 13:00:00",
                    "root розз`єднався 08.12.2026 о такій годині: 13:15:00",
                    // Marks and the hang-up name whoever is logged in by then.
                    "mama з`єднався 08.12.2026 о такій годині: 14:00:00",
                    "root працював 08.12.2026 о такій годині: 14:10:00",
                    "root розз`єднався 08.12.2026 о такій годині: 14:45:00"}),
            (Records{"2026-12,mama,2,1:15:00,0:45:00,0", "2026-12,root,2,1:15:00,1:00:00,0"}));
}

TEST(Sessions, AMissingDisconnectEndsAtTheLastMarkAndIsFlagged) {
  EXPECT_EQ(Report({"root з`єднався 08.12.2026 о такій годині: 10:00:00",
                    "root працював 08.12.2026 о такій годині: 10:10:00",
                    "root працював 08.12.2026 о такій годині: 10:20:00",
                    // The program was closed; the next connect begins afresh.
                    "mama з`єднався 08.12.2026 о такій годині: 11:00:00",
                    "mama працював 08.12.2026 о такій годині: 11:10:00",
                    "mama розз`єднався 08.12.2026 о такій годині: 11:12:00",
                    "root з`єднався 08.12.2026 о такій годині: 12:00:00",
                    "root працював 08.12.2026 о такій годині: 12:10:00"}),
            (Records{"2026-12,mama,1,0:12:00,0:12:00,0", "2026-12,root,2,0:30:00,0:20:00,2"}));
}

TEST(Sessions, ASessionWithoutMarksOrEndCountsOnceWithNoTime) {
  EXPECT_EQ(Report({"root з`єднався 08.12.2026 о такій годині: 10:00:00"}),
            Records{"2026-12,root,1,0:00:00,0:00:00,1"});
}

TEST(Sessions, MarksAndDisconnectsOutsideASessionAddNothing) {
  EXPECT_EQ(Report({" працював 08.12.2026 о такій годині: 9:00:00",
                    "root розз`єднався 08.12.2026 о такій годині: 9:30:00",
                    "root з`єднався 08.12.2026 о такій годині: 10:00:00",
                    "root розз`єднався 08.12.2026 о такій годині: 10:05:00",
                    // The line dropped after the hang-up failed; marks go on for nobody.
                    " працював 08.12.2026 о такій годині: 10:15:00"}),
            Records{"2026-12,root,1,0:05:00,0:05:00,0"});
}

TEST(Sessions, LinesWithAnEmptyUserNameBelongToTheOpenSession) {
  EXPECT_EQ(Report({"root з`єднався 08.12.2026 о такій годині: 10:00:00",
                    // Logged out while the connection stays up: the marks carry no name.
                    " працював 08.12.2026 о такій годині: 10:10:00",
                    " працював 08.12.2026 о такій годині: 10:20:00",
                    " розз`єднався 08.12.2026 о такій годині: 10:25:00"}),
            Records{"2026-12,root,1,0:25:00,0:25:00,0"});
}

TEST(Sessions, AConnectWithAnEmptyUserNameIsReportedUnderNoName) {
  const Records records = Report({" з`єднався 08.12.2026 о такій годині: 10:00:00",
                                  " розз`єднався 08.12.2026 о такій годині: 10:10:00"});
  EXPECT_EQ(records, Records{"2026-12,,1,0:10:00,0:10:00,0"});
  const report_testing::Printed text =
      Reporter{LogOf({" з`єднався 08.12.2026 о такій годині: 10:00:00"})}({});
  EXPECT_NE(text.out.find("2026-12  (без імені)"), std::string::npos) << text.out;
}

TEST(Sessions, AUserNameHoldingSpacesAndActionWordsIsKeptWhole) {
  EXPECT_EQ(Report({"Петро з`єднався з`єднався 08.12.2026 о такій годині: 10:00:00",
                    "Петро з`єднався розз`єднався 08.12.2026 о такій годині: 10:01:00"}),
            Records{"2026-12,Петро з`єднався,1,0:01:00,0:01:00,0"});
}

TEST(Sessions, AClockPutBackDuringASessionGivesItNoNegativeTime) {
  EXPECT_EQ(Report({"root з`єднався 08.12.2026 о такій годині: 10:00:00",
                    "root розз`єднався 08.12.2026 о такій годині: 9:30:00"}),
            Records{"2026-12,root,1,0:00:00,0:00:00,0"});
}

TEST(Sessions, LongSessionsShowHoursPastADay) {
  EXPECT_EQ(Report({"root з`єднався 01.12.2026 о такій годині: 0:00:00",
                    "root розз`єднався 03.12.2026 о такій годині: 1:02:03"}),
            Records{"2026-12,root,1,49:02:03,49:02:03,0"});
}

TEST(Sessions, GarbageLinesAreCountedAndSkipped) {
  const report_testing::Printed printed =
      Reporter{LogOf({"root з`єднався 08.12.2026 о такій годині: 10:00:00", "",
                      "no log line at all", "root з`єднався 31.02.2026 о такій годині: 10:00:00",
                      "root працював 08.12.2026 о такій годині: 25:00:00",
                      "root пішов 08.12.2026 о такій годині: 10:30:00",
                      "root розз`єднався 08.12.2026 о такій годині:",
                      "root розз`єднався 08.12.2026 о такій годині: 10:40:00"}) +
               std::string("\xFF\0\x01 binary\r\n", 12)}({"--csv"});
  EXPECT_EQ(printed.exitCode, 0);
  EXPECT_EQ(CsvRecords(printed), Records{"2026-12,root,1,0:40:00,0:40:00,0"});
  // The empty line isn't counted; the count goes to the complaints so the CSV stays clean.
  EXPECT_EQ(printed.err, "Нерозпізнаних рядків: 6 (перший: рядок 3).\n");
}

TEST(Sessions, ALogOfGarbageOnlyReportsNoSessions) {
  const report_testing::Printed printed = Reporter{"garbage\r\nmore garbage"}({});
  EXPECT_EQ(printed.exitCode, 0);
  EXPECT_EQ(printed.out, "Сеансів немає.\nНерозпізнаних рядків: 2 (перший: рядок 1).\n");
}

}  // namespace
