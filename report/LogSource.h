#pragma once
// The bytes of a log, read from its start to its end, and their lines.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>

namespace report {

class LogSource {
 public:
  virtual ~LogSource() = default;
  // Fills up to `size` bytes and sets `got` (0 at the end). False when reading fails.
  virtual bool Read(char* buffer, std::size_t size, std::size_t& got) = 0;
};

// Calls `line` for each line, numbered from 1, without its CR LF or LF; the last line needs no
// line end; a line longer than 64 KiB may come cut short. False when the source fails; the
// lines before it have been passed on.
bool ForEachLine(LogSource& source,
                 const std::function<void(std::string_view line, std::int64_t number)>& line);

}  // namespace report
