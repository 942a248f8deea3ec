#include "dialogs/StrToInt.h"

#include "data/ProfileValues.h"
#include "platform/text/Cp1251.h"

namespace dialogs {

std::int32_t StrToInt(const std::string& textCp1251) {
  if (const auto value = data::ParseInteger(textCp1251)) return *value;
  throw ConversionError("'" + textCp1251 + text::Cp("' не є правильним цілим числом."));
}

}  // namespace dialogs
