#include "platform/native/IniProfileFiles.h"

#include <cstdio>

#include "platform/Files.h"
#include "platform/native/IniDocument.h"
#include "platform/text/Cp1251.h"

namespace platform {
namespace {

bool HasDirectory(const std::string& file) {
  return file.find_first_of("/\\:") != std::string::npos;
}

std::optional<std::string> ReadAll(const std::string& path) {
  std::FILE* file = OpenFile(path, "rb");
  if (file == nullptr) return std::nullopt;
  std::string bytes;
  char buffer[4096];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, got);
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) return std::nullopt;
  return bytes;
}

// A file that can't be written in place (read-only, locked) stays unwritten, as with the
// profile functions. The new text goes to a file beside it first and then takes its place:
// rewriting in place would leave a cut-off settings file when the disk fills up half-way.
bool WriteAll(const std::string& path, const std::string& bytes) {
  if (FileExists(path)) {
    // Appending nothing opens the file for writing without changing a byte of it.
    std::FILE* existing = OpenFile(path, "ab");
    if (existing == nullptr) return false;
    std::fclose(existing);
  }
  const std::string temporary = path + ".tmp";
  std::FILE* file = OpenFile(temporary, "wb");
  if (file == nullptr) return false;
  bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  written = std::fclose(file) == 0 && written;
  if (written && MoveReplacing(temporary, path)) return true;
  RemoveFile(temporary);
  return false;
}

}  // namespace

IniProfileFiles::IniProfileFiles(const NativePath& folder) {
#ifdef _WIN32
  folder_ = text::Utf16ToCp1251(std::u16string(folder.begin(), folder.end()));
#else
  folder_ = text::Utf8ToCp1251(folder);
#endif
  if (!folder_.empty() && folder_.back() != '/' && folder_.back() != '\\')
    folder_ += kPathSeparator;
}

std::string IniProfileFiles::Resolve(const std::string& file) const {
  return HasDirectory(file) ? file : folder_ + file;
}

std::optional<IniDocument> IniProfileFiles::Load(const std::string& path) const {
  if (!FileExists(path)) return std::nullopt;
  const std::optional<std::string> bytes = ReadAll(path);
  if (!bytes) return std::nullopt;
  return IniDocument(*bytes);
}

std::vector<std::string> IniProfileFiles::Keys(const std::string& file,
                                               const std::string& section) {
  const std::optional<IniDocument> document = Load(Resolve(file));
  return document ? document->Keys(section) : std::vector<std::string>{};
}

std::optional<std::string> IniProfileFiles::Read(const std::string& file,
                                                 const std::string& section,
                                                 const std::string& key) {
  const std::optional<IniDocument> document = Load(Resolve(file));
  return document ? document->Read(section, key) : std::nullopt;
}

bool IniProfileFiles::Write(const std::string& file, const std::string& section,
                            const std::string& key, const std::string& value) {
  if (file.empty()) return false;
  const std::string path = Resolve(file);
  std::optional<IniDocument> document;
  if (FileExists(path)) {
    // Writing over a file we couldn't read would lose its other sections.
    document = Load(path);
    if (!document) return false;
  } else {
    document.emplace();
  }
  return document->Write(section, key, value) && WriteAll(path, document->Bytes());
}

}  // namespace platform
