#pragma once

#include <string>
#include <string_view>

namespace platform {

// One argument quoted so that the Windows command-line parser (CommandLineToArgvW, the C
// runtime) gives it back unchanged: spaces, quotes and trailing backslashes included.
std::string QuoteArgument(std::string_view argument);

}  // namespace platform

namespace platform {

// The editor by its full path, then the file: each quoted, so that names with spaces stay whole.
std::string TextEditorCommandLine(std::string_view editorPath, std::string_view fileName);

}  // namespace platform
