#include "platform/CommandLine.h"

namespace platform {

std::string QuoteArgument(std::string_view argument) {
  std::string quoted = "\"";
  std::size_t backslashes = 0;
  for (char c : argument) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    // Backslashes count as escapes only in front of a quote: double them there.
    quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
    backslashes = 0;
    quoted += c;
  }
  // ... and in front of the closing quote.
  quoted.append(backslashes * 2, '\\');
  quoted += '"';
  return quoted;
}

}  // namespace platform

namespace platform {

std::string TextEditorCommandLine(std::string_view editorPath, std::string_view fileName) {
  return QuoteArgument(editorPath) + " " + QuoteArgument(fileName);
}

}  // namespace platform
