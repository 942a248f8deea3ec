#pragma once
// Whole numbers typed by the user. A text that is not one is a fault of the command that read
// it: it ends that command and reaches the general error report, which names the text.

#include <cstdint>
#include <stdexcept>
#include <string>

namespace dialogs {

class ConversionError : public std::invalid_argument {
 public:
  using std::invalid_argument::invalid_argument;
};

// Optionally signed decimal text, blanks around it allowed, within the 32-bit range; throws
// ConversionError for anything else, the empty text included.
std::int32_t StrToInt(const std::string& textCp1251);

}  // namespace dialogs
