#pragma once
// A small file system of its own over a folder, for one test: a tmpfs that the test can fill
// up or turn read-only. Root's writes are refused by a read-only mount and a full disk, where
// file permissions would not stop them. Mounting needs the right to (root or CAP_SYS_ADMIN);
// without it Mounted() is false and Problem() says why, so that the test can skip.

#ifndef _WIN32
#include <sys/mount.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace testing_support {

class ScratchMount {
 public:
  ScratchMount(const std::filesystem::path& folder, std::size_t bytes)
      : folder_(folder), options_("size=" + std::to_string(bytes) + ",mode=0777") {
    std::filesystem::create_directories(folder);
    if (::mount("tmpfs", folder.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options_.c_str()) == 0)
      mounted_ = true;
    else
      problem_ = "cannot mount a tmpfs here: " + std::string(std::strerror(errno));
  }
  ~ScratchMount() {
    if (mounted_) ::umount2(folder_.c_str(), MNT_DETACH);
  }
  ScratchMount(const ScratchMount&) = delete;
  ScratchMount& operator=(const ScratchMount&) = delete;

  bool Mounted() const { return mounted_; }
  const std::string& Problem() const { return problem_; }

  // From now on every write into the folder fails; what is there stays readable.
  bool MakeReadOnly() {
    return ::mount("tmpfs", folder_.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY | MS_NOSUID | MS_NODEV,
                   options_.c_str()) == 0;
  }

  // Takes every free byte with a filler file; true when a further write is refused for want
  // of space.
  bool Fill() {
    std::FILE* filler = std::fopen((folder_ / "filler").c_str(), "wb");
    if (filler == nullptr) return false;
    std::setvbuf(filler, nullptr, _IONBF, 0);
    const std::vector<char> block(4096, 'f');
    while (std::fwrite(block.data(), 1, block.size(), filler) == block.size()) {
    }
    while (std::fwrite(block.data(), 1, 1, filler) == 1) {
    }
    const bool full = errno == ENOSPC;
    std::fclose(filler);
    return full;
  }

 private:
  std::filesystem::path folder_;
  std::string options_;
  bool mounted_ = false;
  std::string problem_;
};

}  // namespace testing_support
#endif
