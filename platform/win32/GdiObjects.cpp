#include "platform/win32/GdiObjects.h"

#include <atomic>

namespace win32 {
namespace {

std::atomic<std::size_t> LiveCount{0};

}  // namespace

void CountMade() {
  ++LiveCount;
}

bool DeleteCounted(HGDIOBJ object) {
  if (object == nullptr || !::DeleteObject(object)) return false;
  --LiveCount;
  return true;
}

std::size_t LiveGdiObjects() {
  return LiveCount.load();
}

}  // namespace win32
