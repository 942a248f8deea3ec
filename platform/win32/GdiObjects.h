#pragma once
// Every GDI object the toolkit makes for itself is counted here when made and when deleted, so
// that a long run can show that it gives back all it takes.

#include <windows.h>

#include <cstddef>

namespace win32 {

void CountMade();

// Wraps the call that made `object`: counts it when there is one, and returns it.
template <typename Handle>
Handle Counted(Handle object) {
  if (object != nullptr) CountMade();
  return object;
}

// Deletes an object that went through Counted; true when it was deleted.
bool DeleteCounted(HGDIOBJ object);

// Counted objects alive now.
std::size_t LiveGdiObjects();

}  // namespace win32
