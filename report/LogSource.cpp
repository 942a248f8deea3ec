#include "report/LogSource.h"

#include <string>
#include <vector>

namespace report {
namespace {

constexpr std::size_t kChunk = 1 << 20;
// Log lines are short; a file without line ends (not a log at all) mustn't fill the memory.
constexpr std::size_t kLongestLine = 1 << 16;

void Carry(std::string& carried, std::string_view bytes) {
  if (carried.size() < kLongestLine) carried.append(bytes.substr(0, kLongestLine - carried.size()));
}

std::string_view WithoutCr(std::string_view line) {
  return !line.empty() && line.back() == '\r' ? line.substr(0, line.size() - 1) : line;
}

}  // namespace

bool ForEachLine(LogSource& source,
                 const std::function<void(std::string_view line, std::int64_t number)>& line) {
  std::vector<char> chunk(kChunk);
  std::string carried;  // the start of a line that runs on into the next chunk
  std::int64_t number = 0;
  for (;;) {
    std::size_t got = 0;
    if (!source.Read(chunk.data(), chunk.size(), got)) return false;
    if (got == 0) break;
    std::string_view bytes(chunk.data(), got);
    for (std::size_t end = bytes.find('\n'); end != std::string_view::npos;
         end = bytes.find('\n')) {
      if (carried.empty()) {
        line(WithoutCr(bytes.substr(0, end)), ++number);
      } else {
        Carry(carried, bytes.substr(0, end));
        line(WithoutCr(carried), ++number);
        carried.clear();
      }
      bytes.remove_prefix(end + 1);
    }
    Carry(carried, bytes);
  }
  if (!carried.empty()) line(WithoutCr(carried), ++number);
  return true;
}

}  // namespace report
