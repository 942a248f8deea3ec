#pragma once
// A private folder for one fuzzing process: the loaders under test take file names, so each
// input goes through a real file. Kept in memory-backed /dev/shm when there is one.

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace fuzzing {

inline const std::filesystem::path& FuzzFolder() {
  static const std::filesystem::path folder = [] {
    const std::filesystem::path base = std::filesystem::is_directory("/dev/shm")
                                           ? "/dev/shm"
                                           : std::filesystem::temp_directory_path();
    std::filesystem::path made = base / ("brumelka-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(made);
    return made;
  }();
  return folder;
}

inline void WriteBytes(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A broken property: libFuzzer saves the input that led here and reports the crash.
[[noreturn]] inline void Broken(const char* what) {
  std::fprintf(stderr, "property broken: %s\n", what);
  std::abort();
}

inline void Check(bool holds, const char* what) {
  if (!holds) Broken(what);
}

}  // namespace fuzzing
