#include "platform/native/IniDocument.h"

#include <utility>

#include "platform/text/Blanks.h"

namespace platform {
namespace {

using text::TrimBlanks;

const char* const kNewLine = "\r\n";

std::string_view WithoutLineEnd(std::string_view line) {
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
  return line;
}

std::string_view LineEnd(std::string_view line) {
  return line.substr(WithoutLineEnd(line).size());
}

// Only ASCII letters fold: Cyrillic bytes mean different letters in different code pages.
bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

std::optional<std::string_view> SectionName(std::string_view line) {
  const std::string_view text = TrimBlanks(WithoutLineEnd(line));
  if (text.empty() || text.front() != '[') return std::nullopt;
  const std::size_t close = text.find(']');
  return TrimBlanks(
      text.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
}

struct KeyLine {
  std::string_view key;
  std::string_view value;
};

// Comments, blank lines and lines without '=' hold no key.
std::optional<KeyLine> ParseKeyLine(std::string_view line) {
  const std::string_view text = TrimBlanks(WithoutLineEnd(line));
  if (text.empty() || text.front() == ';' || text.front() == '[') return std::nullopt;
  const std::size_t equals = text.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  return KeyLine{TrimBlanks(text.substr(0, equals)), TrimBlanks(text.substr(equals + 1))};
}

// The profile functions hand out a quoted value without its quotes.
std::string_view Unquoted(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front())
    return value.substr(1, value.size() - 2);
  return value;
}

std::string Joined(std::string_view a, std::string_view b, std::string_view c) {
  std::string joined;
  joined.reserve(a.size() + b.size() + c.size());
  joined.append(a).append(b).append(c);
  return joined;
}

bool HasLineBreak(std::string_view text) {
  return text.find_first_of("\r\n") != std::string_view::npos;
}

}  // namespace

IniDocument::IniDocument(std::string_view bytes) {
  while (!bytes.empty()) {
    const std::size_t end = bytes.find('\n');
    const std::size_t length = end == std::string_view::npos ? bytes.size() : end + 1;
    lines_.emplace_back(bytes.substr(0, length));
    bytes.remove_prefix(length);
  }
}

std::optional<IniDocument::Range> IniDocument::FindSection(std::string_view section) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const auto name = SectionName(lines_[i]);
    if (!name || !SameName(*name, section)) continue;
    std::size_t end = i + 1;
    while (end < lines_.size() && !SectionName(lines_[end])) ++end;
    return Range{i, end};
  }
  return std::nullopt;
}

std::optional<std::size_t> IniDocument::FindKey(const Range& range, std::string_view key) const {
  for (std::size_t i = range.header + 1; i < range.end; ++i) {
    const auto line = ParseKeyLine(lines_[i]);
    if (line && SameName(line->key, key)) return i;
  }
  return std::nullopt;
}

std::vector<std::string> IniDocument::Keys(std::string_view section) const {
  std::vector<std::string> keys;
  const auto range = FindSection(section);
  if (!range) return keys;
  for (std::size_t i = range->header + 1; i < range->end; ++i)
    if (const auto line = ParseKeyLine(lines_[i])) keys.emplace_back(line->key);
  return keys;
}

std::optional<std::string> IniDocument::Read(std::string_view section, std::string_view key) const {
  const auto range = FindSection(section);
  if (!range) return std::nullopt;
  const auto index = FindKey(*range, key);
  if (!index) return std::nullopt;
  return std::string(Unquoted(ParseKeyLine(lines_[*index])->value));
}

bool IniDocument::Write(std::string_view section, std::string_view key, std::string_view value) {
  if (section.empty() || key.empty() || HasLineBreak(section) || HasLineBreak(key) ||
      HasLineBreak(value) || section.find(']') != std::string_view::npos ||
      key.find('=') != std::string_view::npos || key.front() == ';' || key.front() == '[')
    return false;

  const auto range = FindSection(section);
  if (!range) {
    Insert(lines_.size(), Joined("[", section, "]"));
    Insert(lines_.size(), Joined(key, "=", value));
    return true;
  }
  if (const auto index = FindKey(*range, key)) {
    // The key keeps the spelling the file gave it.
    std::string& line = lines_[*index];
    const std::string end(LineEnd(line));
    line = Joined(ParseKeyLine(line)->key, "=", value) + end;
    return true;
  }
  // After the section's last line that isn't blank, so blank lines keep separating sections.
  std::size_t at = range->end;
  while (at > range->header + 1 && TrimBlanks(WithoutLineEnd(lines_[at - 1])).empty()) --at;
  Insert(at, Joined(key, "=", value));
  return true;
}

void IniDocument::Insert(std::size_t at, std::string line) {
  // Only the file's last line can lack its line feed. A bare carriage return there doesn't end
  // a line when the file is read again, so the new line would be glued to it.
  if (at > 0 && lines_[at - 1].back() != '\n')
    lines_[at - 1] += LineEnd(lines_[at - 1]).empty() ? kNewLine : "\n";
  line += kNewLine;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
}

std::string IniDocument::Bytes() const {
  std::string bytes;
  for (const std::string& line : lines_) bytes += line;
  return bytes;
}

}  // namespace platform
