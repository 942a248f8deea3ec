// What the report prints and how it answers its command line: the text table, CSV, one month,
// other date and time formats, which log it reads, and the mistakes it refuses.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/ReportHarness.h"
#include "report/ReportRun.h"

namespace {

using report_testing::CsvRecords;
using report_testing::LogOf;
using report_testing::Printed;
using report_testing::Reporter;
using Records = std::vector<std::string>;

const std::string kTwoMonths = LogOf({"root з`єднався 30.11.2026 о такій годині: 22:00:00",
                                      "root розз`єднався 30.11.2026 о такій годині: 23:00:00",
                                      "Оксана з`єднався 02.12.2026 о такій годині: 8:00:00",
                                      "Оксана працював 02.12.2026 о такій годині: 8:10:00",
                                      "root з`єднався 03.12.2026 о такій годині: 9:00:00",
                                      "root розз`єднався 03.12.2026 о такій годині: 9:00:05"});

TEST(ReportOutput, TheTextTableLinesUpItsColumns) {
  const Printed printed = Reporter{kTwoMonths}({});
  EXPECT_EQ(printed.exitCode, 0);
  EXPECT_EQ(printed.err, "");
  EXPECT_EQ(printed.out,
            "Місяць   Користувач  Сеансів  Час на лінії  Найдовший сеанс  Без кінця\n"
            "2026-12  root              1       0:00:05          0:00:05          0\n"
            "2026-12  Оксана            1       0:10:00          0:10:00          1\n"
            "2026-11  root              1       1:00:00          1:00:00          0\n");
}

TEST(ReportOutput, CsvHasAHeaderAndQuotesFieldsThatNeedIt) {
  const Printed printed = Reporter{
      LogOf({"Іван, \"Ваня\" з`єднався 08.12.2026 о такій годині: 10:00:00",
             "Іван, \"Ваня\" розз`єднався 08.12.2026 о такій годині: 10:00:09"})}({"--csv"});
  EXPECT_EQ(printed.out,
            "Місяць,Користувач,Сеансів,Час на лінії,Найдовший сеанс,Без кінця\n"
            "2026-12,\"Іван, \"\"Ваня\"\"\",1,0:00:09,0:00:09,0\n");
}

TEST(ReportOutput, OneMonthIsPickedWithMonth) {
  EXPECT_EQ(CsvRecords(Reporter{kTwoMonths}({"--csv", "--month", "2026-11"})),
            Records{"2026-11,root,1,1:00:00,1:00:00,0"});
  EXPECT_EQ(CsvRecords(Reporter{kTwoMonths}({"--month=2026-12", "--csv"})),
            (Records{"2026-12,root,1,0:00:05,0:00:05,0", "2026-12,Оксана,1,0:10:00,0:10:00,1"}));
  EXPECT_EQ(Reporter{kTwoMonths}({"--month", "2025-12"}).out, "Сеансів немає.\n");
}

TEST(ReportOutput, OtherDateAndTimeFormatsAreReadWhenGiven) {
  const std::string log = LogOf({"root з`єднався 2026-12-08 о такій годині: 11:59:00 PM",
                                 "root розз`єднався 2026-12-09 о такій годині: 12:01:30 AM"});
  const Printed printed =
      Reporter{log}({"--date-format", "yyyy-MM-dd", "--time-format", "h:mm:ss tt", "--csv"});
  EXPECT_EQ(printed.exitCode, 0);
  EXPECT_EQ(printed.err, "");
  EXPECT_EQ(CsvRecords(printed), Records{"2026-12,root,1,0:02:30,0:02:30,0"});
  // Read in the default formats, the same lines make no sense.
  EXPECT_EQ(Reporter{log}({"--csv"}).err, "Нерозпізнаних рядків: 2 (перший: рядок 1).\n");
}

TEST(ReportOutput, TheSystemsFormatsApplyWithoutOptions) {
  Reporter run{LogOf({"root з`єднався 8/12/26 о такій годині: 07.05",
                      "root розз`єднався 8/12/26 о такій годині: 07.25"})};
  run.datePicture = "d/M/yy";
  run.timePicture = "HH.mm";
  EXPECT_EQ(CsvRecords(run({"--csv"})), Records{"2026-12,root,1,0:20:00,0:20:00,0"});
}

TEST(ReportOutput, LinesComeThroughWhateverTheReadsCutThem) {
  const std::string log = kTwoMonths + text::Utf8ToCp1251(
                                           "root з`єднався 04.12.2026 о такій годині: 9:00:00\n"
                                           "root працював 04.12.2026 о такій годині: 9:30:00");
  Reporter run{log};
  const std::string whole = run({"--csv"}).out;
  EXPECT_NE(whole.find("2026-12,root,2,0:30:05,0:30:00,1"), std::string::npos) << whole;
  for (const std::size_t piece : {1, 2, 7, 100}) {
    run.piece = piece;
    EXPECT_EQ(run({"--csv"}).out, whole) << piece;
  }
}

TEST(ReportOutput, AnEndlessLineIsOneUnreadableLine) {
  for (const std::size_t piece : {std::size_t{4096}, std::size_t{1} << 20}) {
    Reporter run{std::string(3 << 20, 'x') + "\r\n" + kTwoMonths + std::string(300 << 10, 'y')};
    run.piece = piece;
    const Printed printed = run({"--csv"});
    EXPECT_EQ(printed.exitCode, 0);
    EXPECT_EQ(CsvRecords(printed).size(), 3u);
    EXPECT_EQ(printed.err, "Нерозпізнаних рядків: 2 (перший: рядок 1).\n");
  }
}

TEST(ReportOutput, AReadFailureReportsWhatWasReadAndFails) {
  Reporter run{kTwoMonths};
  run.failAt = kTwoMonths.find(text::Utf8ToCp1251("root з`єднався 03"));
  run.piece = 10;
  const Printed printed = run({"--csv"});
  EXPECT_EQ(printed.exitCode, report::kExitLogUnreadable);
  EXPECT_EQ(CsvRecords(printed),
            (Records{"2026-12,Оксана,1,0:10:00,0:10:00,1", "2026-11,root,1,1:00:00,1:00:00,0"}));
  EXPECT_NE(printed.err.find("connects.log"), std::string::npos) << printed.err;
}

TEST(ReportLog, TheLogOnTheCommandLineWinsOverTheSettings) {
  const Printed fromSettings = Reporter{kTwoMonths}({});
  EXPECT_EQ(fromSettings.logOpened, "connects.log");
  const Printed named = Reporter{kTwoMonths}({"D:\\журнал.log"});
  EXPECT_EQ(named.logOpened, text::Utf8ToCp1251("D:\\журнал.log"));
  EXPECT_EQ(named.exitCode, report::kExitLogUnreadable);
  EXPECT_EQ(named.out, "");
  EXPECT_EQ(named.err, "Не вдалося відкрити журнал D:\\журнал.log.\n");
}

TEST(ReportCommandLine, HelpPrintsTheUsage) {
  const Printed printed = Reporter{kTwoMonths}({"--help"});
  EXPECT_EQ(printed.exitCode, 0);
  EXPECT_EQ(printed.out.rfind("Використання: brumelka-report [ЖУРНАЛ]", 0), 0u) << printed.out;
  EXPECT_EQ(printed.logOpened, "");
}

TEST(ReportCommandLine, MistakesAreRefusedWithTheUsageAndNoReport) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> mistakes = {
      {{"--month"}, "--month потребує значення."},
      {{"--month", "2026-1"}, "Місяць пишеться як РРРР-ММ, наприклад 2026-12: 2026-1"},
      {{"--month", "2026/12"}, "Місяць пишеться як РРРР-ММ, наприклад 2026-12: 2026/12"},
      {{"--month", "2026-13"}, "Немає такого місяця: 2026-13"},
      {{"--month", "2026-00"}, "Немає такого місяця: 2026-00"},
      {{"--csv=yes"}, "--csv не має значення."},
      {{"--cvs"}, "Невідомий параметр: --cvs"},
      {{"-x"}, "Невідомий параметр: -x"},
      {{"a.log", "b.log"}, "Зайвий файл журналу: b.log"},
      {{"--date-format"}, "--date-format потребує значення."},
  };
  for (const auto& [arguments, message] : mistakes) {
    const Printed printed = Reporter{kTwoMonths}(arguments);
    SCOPED_TRACE(message);
    EXPECT_EQ(printed.exitCode, report::kExitUsage);
    EXPECT_EQ(printed.out, "");
    EXPECT_EQ(printed.err.rfind(message + "\nВикористання: ", 0), 0u) << printed.err;
    EXPECT_EQ(printed.logOpened, "");
  }
}

TEST(ReportCommandLine, PicturesThatCantBeReadBackAreRefused) {
  for (const std::vector<std::string>& arguments :
       std::vector<std::vector<std::string>>{{"--date-format", "dddd, MMMM d, yyyy"},
                                             {"--date-format", "MM.yyyy"},
                                             {"--time-format", "ss"},
                                             {"--time-format", "'no time'"}}) {
    const Printed printed = Reporter{kTwoMonths}(arguments);
    SCOPED_TRACE(arguments[1]);
    EXPECT_EQ(printed.exitCode, report::kExitUsage);
    EXPECT_EQ(printed.err.rfind("Цей шаблон дати чи часу не прочитати: ", 0), 0u) << printed.err;
    EXPECT_EQ(printed.logOpened, "");
  }
}

}  // namespace
