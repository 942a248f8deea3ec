// The report on Windows: the user's regional formats, "brumelka.ini" where the program keeps
// it, the log read without keeping anyone from writing it.

#include <windows.h>

#include <cstdio>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "platform/text/Cp1251.h"
#include "platform/win32/Win32ProfileFiles.h"
#include "report/ReportRun.h"
#include "report/SettingsLog.h"
#include "report/win32/SharedLogFile.h"

namespace {

std::string FromWide(const wchar_t* wide) {
  const std::wstring text(wide);
  return text::Utf16ToCp1251(std::u16string(text.begin(), text.end()));
}

std::string LocaleText(LCTYPE type) {
  wchar_t buffer[128] = {};
  if (::GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buffer, 128) == 0) return {};
  return FromWide(buffer);
}

// A console shows the text in full whatever its code page; a file or a pipe gets the
// Windows-1251 bytes, lines ending in CR LF.
void Write(DWORD handleId, std::FILE* stream, const std::string& cp1251) {
  if (cp1251.empty()) return;
  const HANDLE handle = ::GetStdHandle(handleId);
  DWORD mode = 0;
  if (handle != INVALID_HANDLE_VALUE && ::GetConsoleMode(handle, &mode)) {
    std::u16string utf16;
    for (const char16_t c : text::Cp1251ToUtf16(cp1251)) {
      if (c == u'\n') utf16 += u'\r';
      utf16 += c;
    }
    DWORD written = 0;
    ::WriteConsoleW(handle, reinterpret_cast<const wchar_t*>(utf16.data()),
                    static_cast<DWORD>(utf16.size()), &written, nullptr);
    return;
  }
  std::fwrite(cp1251.data(), 1, cp1251.size(), stream);
  std::fflush(stream);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) arguments.push_back(FromWide(argv[i]));

  report::ReportSystem system;
  system.datePicture = LocaleText(LOCALE_SSHORTDATE);
  system.timePicture = LocaleText(LOCALE_STIMEFORMAT);
  system.amDesignator = LocaleText(LOCALE_S1159);
  system.pmDesignator = LocaleText(LOCALE_S2359);
  system.settingsLogName = [] {
    platform::Win32ProfileFiles profiles;
    return report::SettingsLogName(profiles);
  };
  system.openLog = report::OpenSharedLogFile;

  std::ostringstream out;
  std::ostringstream err;
  const int exitCode = report::RunReport(arguments, system, out, err);
  Write(STD_OUTPUT_HANDLE, stdout, out.str());
  Write(STD_ERROR_HANDLE, stderr, err.str());
  return exitCode;
}
