#pragma once
// The log opened for reading only, shared with every writer: the program may append to it,
// and an editor may hold it, while the report reads.

#include <memory>
#include <string>

#include "report/LogSource.h"

namespace report {

// nullptr when the file can't be opened.
std::unique_ptr<LogSource> OpenSharedLogFile(const std::string& nameCp1251);

}  // namespace report
