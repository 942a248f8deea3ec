#include "report/UsageTable.h"

#include <algorithm>

namespace report {

void UsageTable::Add(const Session& session) {
  LocalSeconds from = session.start;
  // A zero-length session still counts once, in the month it began.
  do {
    const LocalSeconds to = std::min(session.end, StartOfNextMonth(from));
    int year = 0;
    int month = 0;
    MonthOf(from, year, month);
    MonthlyUsage& row = usage_[{year * 12 + month - 1, session.user}];
    if (row.sessions == 0) {
      row.year = year;
      row.month = month;
      row.user = session.user;
    }
    ++row.sessions;
    row.secondsOnLine += to - from;
    row.longestSeconds = std::max<std::int64_t>(row.longestSeconds, to - from);
    if (session.openEnded) ++row.openEnded;
    from = to;
  } while (from < session.end);
}

std::vector<MonthlyUsage> UsageTable::Rows() const {
  std::vector<MonthlyUsage> rows;
  rows.reserve(usage_.size());
  for (const auto& entry : usage_) rows.push_back(entry.second);
  std::stable_sort(rows.begin(), rows.end(), [](const MonthlyUsage& a, const MonthlyUsage& b) {
    return a.year * 12 + a.month > b.year * 12 + b.month;
  });
  return rows;
}

}  // namespace report
