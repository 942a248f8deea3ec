#pragma once
// The text of one initialisation file, read and changed the way the Windows profile functions
// do: section and key names match without regard to ASCII case, the first of duplicates wins,
// and a change touches one line, leaving comments, unknown keys and layout alone.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class IniDocument {
 public:
  explicit IniDocument(std::string_view bytes = {});

  std::vector<std::string> Keys(std::string_view section) const;
  std::optional<std::string> Read(std::string_view section, std::string_view key) const;
  // False for names or values that would break the line structure; nothing changes then.
  bool Write(std::string_view section, std::string_view key, std::string_view value);

  std::string Bytes() const;

 private:
  struct Range {
    std::size_t header;
    std::size_t end;  // one past the section's last line
  };
  std::optional<Range> FindSection(std::string_view section) const;
  std::optional<std::size_t> FindKey(const Range& range, std::string_view key) const;
  void Insert(std::size_t at, std::string line);

  std::vector<std::string> lines_;  // each with the line end it came with
};

}  // namespace platform
