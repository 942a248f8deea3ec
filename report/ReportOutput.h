#pragma once
// The usage table as text for the console and as CSV for a spreadsheet, in Windows-1251.

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "report/UsageTable.h"

namespace report {

// "H:MM:SS", the hours running past 24.
std::string FormatDuration(std::int64_t seconds);

// A table with a header line, one line per user and month; a sentence when there are no rows.
void WriteText(const std::vector<MonthlyUsage>& rows, std::ostream& out);
// A header line, then one record per user and month.
void WriteCsv(const std::vector<MonthlyUsage>& rows, std::ostream& out);

}  // namespace report
