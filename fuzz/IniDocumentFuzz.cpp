// The settings file is text anybody may have edited. Reading it must keep every byte, and a
// key written into it must read back, whatever else the file holds.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "fuzz/FuzzFolder.h"
#include "platform/native/IniDocument.h"

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

// Names the profile functions keep as they are: no blanks at either end, nothing that would
// start a comment or a section or end a key, no line break.
bool IsPlainName(const std::string& name) {
  if (name.empty() || IsBlank(name.front()) || IsBlank(name.back())) return false;
  return name.find_first_of("[];=\r\n") == std::string::npos &&
         name.find('\0') == std::string::npos;
}

// Values come back without surrounding blanks and without one pair of enclosing quotes.
bool IsPlainValue(const std::string& value) {
  if (value.find_first_of("\r\n") != std::string::npos) return false;
  if (!value.empty() && (IsBlank(value.front()) || IsBlank(value.back()))) return false;
  return !(value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
           value.back() == value.front());
}

bool SameAsciiName(const std::string& a, const std::string& b) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [&](char x, char y) { return lower(x) == lower(y); });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using fuzzing::Check;
  FuzzedDataProvider provider(data, size);
  const std::string section = provider.ConsumeRandomLengthString(24);
  const std::string key = provider.ConsumeRandomLengthString(24);
  const std::string value = provider.ConsumeRandomLengthString(40);
  const std::string bytes = provider.ConsumeRemainingBytesAsString();

  platform::IniDocument document(bytes);
  Check(document.Bytes() == bytes, "reading changed the file's bytes");
  for (const std::string& name : document.Keys(section)) {
    Check(document.Read(section, name).has_value(), "a listed key has no value");
  }
  // The other keys of the section, to hold them to their values after the write.
  std::vector<std::pair<std::string, std::optional<std::string>>> others;
  for (const std::string& name : document.Keys(section))
    if (!SameAsciiName(name, key)) others.emplace_back(name, document.Read(section, name));

  const bool written = document.Write(section, key, value);
  if (IsPlainName(section) && IsPlainName(key) && value.find_first_of("\r\n") == std::string::npos)
    Check(written, "a plain key was refused");
  if (!written) {
    Check(document.Bytes() == bytes, "a refused write changed the file");
    return 0;
  }
  if (IsPlainName(section) && IsPlainName(key) && IsPlainValue(value)) {
    Check(document.Read(section, key) == value, "a written key reads back otherwise");
    // The file as written holds the same, read afresh.
    Check(platform::IniDocument(document.Bytes()).Read(section, key) == value,
          "a written key reads back otherwise from the saved bytes");
  }
  for (const auto& [name, earlier] : others)
    Check(document.Read(section, name) == earlier, "a write changed another key");
  return 0;
}
