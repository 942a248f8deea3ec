// The cost of one log entry when the log is 1 GiB against when it is empty:
//   bench_log FOLDER [REPETITIONS] [ROUNDS]
// Both logs live in FOLDER; the big one is sparse, so it takes no disk space. Entries go in
// turn into one log and the other through the program's own log code, and each log is cut back
// to its starting size after every entry, so every entry meets the same log. Each round takes
// the median of its entries; the figures are the lowest medians of all rounds, as a busy
// machine only ever adds time, and one noisy round then can't flip the ratio. The same is
// measured for a bare append of a line of the same length (fopen, fwrite, fclose) to the same
// two logs: what the file system itself charges for the big log, below which the program's
// figure can't go. Prints "empty-us=MEDIAN big-us=MEDIAN ratio=BIG/EMPTY raw-empty-us=MEDIAN
// raw-big-us=MEDIAN raw-ratio=BIG/EMPTY repetitions=N rounds=R".

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "data/TLog.h"
#include "platform/native/FormatClock.h"

namespace {

constexpr std::uintmax_t kBigLogBytes = std::uintmax_t{1} << 30;

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

struct Log {
  Log(platform::Clock& clock, const std::filesystem::path& path, std::uintmax_t size)
      : log(clock, [this](const std::string&) { failed = true; }), path(path), size(size) {
    Restore();
    log.FileName = path.string();
  }

  // Back to the starting size. The empty log is made anew rather than cut to nothing: file
  // systems such as ext4 flush a file cut to zero at its next close, which a log never meets.
  void Restore() {
    if (size == 0) std::filesystem::remove(path);
    std::ofstream(path, std::ios::binary | std::ios::app).close();
    if (size > 0) std::filesystem::resize_file(path, size);
  }

  // Microseconds one entry takes.
  double TimeOneEntry() {
    const auto start = std::chrono::steady_clock::now();
    log.AddLogEntry("anna", "connected");
    const auto end = std::chrono::steady_clock::now();
    Restore();
    return std::chrono::duration<double, std::micro>(end - start).count();
  }

  // The bytes one entry adds to the log.
  std::uintmax_t EntryBytes() {
    log.AddLogEntry("anna", "connected");
    const std::uintmax_t bytes = std::filesystem::file_size(path) - size;
    Restore();
    return bytes;
  }

  // Microseconds a bare append of `line` takes.
  double TimeOneRawEntry(const std::string& line) {
    const auto start = std::chrono::steady_clock::now();
    std::FILE* file = std::fopen(path.string().c_str(), "ab");
    if (file == nullptr || std::fwrite(line.data(), 1, line.size(), file) != line.size())
      failed = true;
    if (file != nullptr && std::fclose(file) != 0) failed = true;
    const auto end = std::chrono::steady_clock::now();
    Restore();
    return std::chrono::duration<double, std::micro>(end - start).count();
  }

  data::TLog log;
  std::filesystem::path path;
  std::uintmax_t size;
  bool failed = false;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: bench_log FOLDER [REPETITIONS]\n");
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  const int repetitions = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5000;
  const int rounds = argc > 3 ? std::max(1, std::atoi(argv[3])) : 7;
  std::filesystem::create_directories(folder);

  platform::FormatClock clock("dd.MM.yyyy", "H:mm:ss");
  clock.Set({2026, 12, 9, 13, 5, 0, 0});
  Log empty(clock, folder / "empty.log", 0);
  Log big(clock, folder / "big.log", kBigLogBytes);
  const std::string line(static_cast<std::size_t>(empty.EntryBytes()), 'x');

  // The lowest medians of the rounds: the program's entries, then the bare appends.
  double lowest[4] = {0, 0, 0, 0};
  for (int round = 0; round < rounds; ++round) {
    std::vector<double> times[4];
    // Each log goes first half of the time, so that neither gains from following the other.
    for (int i = 0; i < repetitions; ++i) {
      Log& first = i % 2 == 0 ? empty : big;
      Log& second = i % 2 == 0 ? big : empty;
      const int firstIndex = i % 2 == 0 ? 0 : 1;
      times[firstIndex].push_back(first.TimeOneEntry());
      times[1 - firstIndex].push_back(second.TimeOneEntry());
      times[2 + firstIndex].push_back(first.TimeOneRawEntry(line));
      times[3 - firstIndex].push_back(second.TimeOneRawEntry(line));
    }
    for (int k = 0; k < 4; ++k) {
      const double median = Median(times[k]);
      lowest[k] = round == 0 ? median : std::min(lowest[k], median);
    }
  }
  std::filesystem::remove(empty.path);
  std::filesystem::remove(big.path);
  if (empty.failed || big.failed) {
    std::fprintf(stderr, "an entry could not be written\n");
    return 1;
  }
  std::printf(
      "empty-us=%.2f big-us=%.2f ratio=%.3f raw-empty-us=%.2f raw-big-us=%.2f raw-ratio=%.3f "
      "repetitions=%d rounds=%d\n",
      lowest[0], lowest[1], lowest[1] / lowest[0], lowest[2], lowest[3], lowest[3] / lowest[2],
      repetitions, rounds);
  return 0;
}
