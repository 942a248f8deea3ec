#include "dialogs/FullPath.h"

#include <filesystem>

#include "platform/text/Cp1251.h"

namespace dialogs {

std::string FullPath(const std::string& nameCp1251) {
  if (nameCp1251.empty()) return {};
  // UTF-16 is the one form both file systems take without loss: Windows names natively and
  // the UTF-8 names of Linux by conversion.
  const std::filesystem::path name(text::Cp1251ToUtf16(nameCp1251));
  std::error_code error;
  const std::filesystem::path full = std::filesystem::absolute(name, error);
  if (error) return nameCp1251;
  return text::Utf16ToCp1251(full.lexically_normal().u16string());
}

}  // namespace dialogs
