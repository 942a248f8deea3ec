#pragma once
// Plain files by Windows-1251 names, relative names against the current directory.

#include <cstdio>
#include <string>

namespace platform {

// fopen with a Windows-1251 name; nullptr on failure.
std::FILE* OpenFile(const std::string& nameCp1251, const char* mode);
// True for an existing file that is not a directory.
bool FileExists(const std::string& nameCp1251);
// Replaces `target` by `source` in one step, flushed through to the disk.
bool MoveReplacing(const std::string& sourceCp1251, const std::string& targetCp1251);
bool RemoveFile(const std::string& nameCp1251);
// The absolute name, with "." and ".." worked out; empty when there is none.
std::string FullFileName(const std::string& nameCp1251);

}  // namespace platform
