#include "report/win32/SharedLogFile.h"

#include <windows.h>

#include "platform/text/Cp1251.h"

namespace report {
namespace {

class SharedLogFile : public LogSource {
 public:
  explicit SharedLogFile(HANDLE file) : file_(file) {}
  ~SharedLogFile() override { ::CloseHandle(file_); }
  SharedLogFile(const SharedLogFile&) = delete;
  SharedLogFile& operator=(const SharedLogFile&) = delete;

  bool Read(char* buffer, std::size_t size, std::size_t& got) override {
    DWORD read = 0;
    const DWORD wanted = static_cast<DWORD>(size > 0x40000000 ? 0x40000000 : size);
    const bool ok = ::ReadFile(file_, buffer, wanted, &read, nullptr) != FALSE;
    got = ok ? read : 0;
    return ok;
  }

 private:
  HANDLE file_;
};

}  // namespace

std::unique_ptr<LogSource> OpenSharedLogFile(const std::string& nameCp1251) {
  const std::u16string utf16 = text::Cp1251ToUtf16(nameCp1251);
  const std::wstring name(utf16.begin(), utf16.end());
  const HANDLE file = ::CreateFileW(name.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<SharedLogFile>(file);
}

}  // namespace report
