#pragma once

#include <string>

namespace dialogs {

// The name completed against the current directory, as the settings dialog shows file names.
// An empty name stays empty: it names no file at all.
std::string FullPath(const std::string& nameCp1251);

}  // namespace dialogs
