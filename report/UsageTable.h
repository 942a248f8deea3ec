#pragma once
// Time on line per user and per month. A session across a month's end is split between the
// months, and counts as a session in each of them.

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "report/Timeline.h"

namespace report {

struct MonthlyUsage {
  int year = 0;
  int month = 0;     // 1..12
  std::string user;  // Windows-1251
  int sessions = 0;
  std::int64_t secondsOnLine = 0;
  std::int64_t longestSeconds = 0;  // the longest part of one session within the month
  int openEnded = 0;                // sessions without a closing line
};

class UsageTable {
 public:
  void Add(const Session& session);

  // Newest month first; within a month, users in byte order of their names.
  std::vector<MonthlyUsage> Rows() const;

 private:
  // Key: months counted from year 0, then the user.
  std::map<std::pair<int, std::string>, MonthlyUsage> usage_;
};

}  // namespace report
