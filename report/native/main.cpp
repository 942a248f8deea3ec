// The report on systems without Windows: formats from the command line (Ukrainian ones by
// default), "brumelka.ini" taken from the current folder, text in UTF-8.

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "platform/Files.h"
#include "platform/native/IniProfileFiles.h"
#include "platform/text/Cp1251.h"
#include "report/ReportRun.h"
#include "report/SettingsLog.h"

namespace {

class FileLogSource : public report::LogSource {
 public:
  explicit FileLogSource(std::FILE* file) : file_(file) {}
  ~FileLogSource() override { std::fclose(file_); }
  FileLogSource(const FileLogSource&) = delete;
  FileLogSource& operator=(const FileLogSource&) = delete;

  bool Read(char* buffer, std::size_t size, std::size_t& got) override {
    got = std::fread(buffer, 1, size, file_);
    return got > 0 || std::ferror(file_) == 0;
  }

 private:
  std::FILE* file_;
};

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) arguments.push_back(text::Utf8ToCp1251(argv[i]));

  report::ReportSystem system;
  system.datePicture = "dd.MM.yyyy";
  system.timePicture = "H:mm:ss";
  system.settingsLogName = [] {
    platform::IniProfileFiles profiles(std::filesystem::current_path());
    return report::SettingsLogName(profiles);
  };
  system.openLog = [](const std::string& name) -> std::unique_ptr<report::LogSource> {
    std::FILE* file = platform::OpenFile(name, "rb");
    if (file == nullptr) return nullptr;
    return std::make_unique<FileLogSource>(file);
  };

  std::ostringstream out;
  std::ostringstream err;
  const int exitCode = report::RunReport(arguments, system, out, err);
  std::cout << text::Cp1251ToUtf8(out.str()) << std::flush;
  std::cerr << text::Cp1251ToUtf8(err.str()) << std::flush;
  return exitCode;
}
