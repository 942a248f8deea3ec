#include "report/ReportRun.h"

#include <cstdint>
#include <optional>

#include "platform/text/Cp1251.h"
#include "report/LogLine.h"
#include "report/ReportOptions.h"
#include "report/ReportOutput.h"
#include "report/Timeline.h"
#include "report/UsageTable.h"

namespace report {
namespace {

using text::Cp;

struct UnreadableLines {
  std::int64_t count = 0;
  std::int64_t first = 0;
};

void ReportUnreadable(const UnreadableLines& unreadable, std::ostream& to) {
  if (unreadable.count == 0) return;
  to << Cp("Нерозпізнаних рядків: ") << unreadable.count << Cp(" (перший: рядок ")
     << unreadable.first << ").\n";
}

}  // namespace

int RunReport(const std::vector<std::string>& arguments, const ReportSystem& system,
              std::ostream& out, std::ostream& err) {
  ReportOptions options;
  try {
    options = ParseOptions(arguments);
  } catch (const OptionError& error) {
    err << error.what() << '\n' << UsageText();
    return kExitUsage;
  }
  if (options.help) {
    out << UsageText();
    return kExitDone;
  }

  std::optional<LogLineReader> reader;
  try {
    reader.emplace(TimePicture(options.datePicture.value_or(system.datePicture),
                               system.amDesignator, system.pmDesignator),
                   TimePicture(options.timePicture.value_or(system.timePicture),
                               system.amDesignator, system.pmDesignator));
  } catch (const BadPicture& error) {
    err << Cp("Цей шаблон дати чи часу не прочитати: ") << error.what() << '\n';
    return kExitUsage;
  }

  const std::string logName = options.logName ? *options.logName : system.settingsLogName();
  const std::unique_ptr<LogSource> source = system.openLog(logName);
  if (!source) {
    err << Cp("Не вдалося відкрити журнал ") << logName << ".\n";
    return kExitLogUnreadable;
  }

  UsageTable table;
  Timeline timeline([&table](const Session& session) { table.Add(session); });
  UnreadableLines unreadable;
  const bool complete = ForEachLine(*source, [&](std::string_view line, std::int64_t number) {
    if (line.empty()) return;
    if (const std::optional<LogEvent> event = reader->Read(line)) {
      timeline.Add(*event);
    } else if (unreadable.count++ == 0) {
      unreadable.first = number;
    }
  });
  timeline.Finish();

  std::vector<MonthlyUsage> rows = table.Rows();
  if (options.month) {
    std::erase_if(rows, [&](const MonthlyUsage& row) {
      return row.year != *options.year || row.month != *options.month;
    });
  }
  if (options.csv) {
    WriteCsv(rows, out);
    ReportUnreadable(unreadable, err);
  } else {
    WriteText(rows, out);
    ReportUnreadable(unreadable, out);
  }
  if (!complete) {
    err << Cp("Журнал ") << logName << Cp(" не дочитано: помилка читання.\n");
    return kExitLogUnreadable;
  }
  return kExitDone;
}

}  // namespace report
