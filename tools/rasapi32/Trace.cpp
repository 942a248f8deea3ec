#include "Trace.h"

#include "Text.h"

namespace standin {
namespace {

SRWLOCK TraceLock = SRWLOCK_INIT;

void Append(const wchar_t* path, const char* bytes, DWORD size) {
  const HANDLE file =
      CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, bytes, size, &written, nullptr);
  CloseHandle(file);
}

}  // namespace

std::wstring HandleNumber(HRASCONN handle) {
  return std::to_wstring(reinterpret_cast<ULONG_PTR>(handle));
}

void Trace(std::wstring_view line) {
  const auto path = EnvironmentValue(L"BRUMELKA_RAS_TRACE");
  if (!path) return;
  const std::string bytes = Encode(line, CP_UTF8) + "\r\n";
  AcquireSRWLockExclusive(&TraceLock);
  Append(path->c_str(), bytes.data(), static_cast<DWORD>(bytes.size()));
  ReleaseSRWLockExclusive(&TraceLock);
}

void TraceExit(long unreleased) {
  wchar_t path[MAX_PATH + 1];
  const DWORD length = GetEnvironmentVariableW(L"BRUMELKA_RAS_TRACE", path, MAX_PATH + 1);
  if (length == 0 || length > MAX_PATH) return;

  char line[48] = "exit unreleased=";
  char digits[16];
  int count = 0;
  unsigned long value = unreleased > 0 ? static_cast<unsigned long>(unreleased) : 0;
  do {
    digits[count++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value != 0);
  DWORD size = sizeof "exit unreleased=" - 1;
  while (count > 0) line[size++] = digits[--count];
  line[size++] = '\r';
  line[size++] = '\n';

  const bool locked = TryAcquireSRWLockExclusive(&TraceLock) != 0;
  Append(path, line, size);
  if (locked) ReleaseSRWLockExclusive(&TraceLock);
}

}  // namespace standin
