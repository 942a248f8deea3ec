#include "dialogs/FullPath.h"

#include "platform/Files.h"

namespace dialogs {

std::string FullPath(const std::string& nameCp1251) {
  if (nameCp1251.empty()) return {};
  const std::string full = platform::FullFileName(nameCp1251);
  return full.empty() ? nameCp1251 : full;
}

}  // namespace dialogs
