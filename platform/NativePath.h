#pragma once
// A file or folder name in the form the system's file functions take it: UTF-16 on Windows,
// bytes (UTF-8) elsewhere. A std::filesystem::path turns into one by itself. The program keeps
// to these instead of the file-system library, whose code, with the whole C++ locale machinery
// it brings along, made up most of the size of the exe.

#include <cstdio>
#include <string>
#include <string_view>

namespace platform {

#ifdef _WIN32
using NativePath = std::wstring;
inline constexpr char kPathSeparator = '\\';
#else
using NativePath = std::string;
inline constexpr char kPathSeparator = '/';
#endif

// `folder` with the plain ASCII `name` in it.
inline NativePath JoinPath(const NativePath& folder, std::string_view name) {
  NativePath joined = folder;
  if (!joined.empty() && joined.back() != '/' && joined.back() != '\\')
    joined += static_cast<NativePath::value_type>(kPathSeparator);
  joined.append(name.begin(), name.end());
  return joined;
}

// fopen for a native name; nullptr on failure.
inline std::FILE* OpenNativeFile(const NativePath& name, const char* mode) {
#ifdef _WIN32
  const std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
  return ::_wfopen(name.c_str(), wideMode.c_str());
#else
  return std::fopen(name.c_str(), mode);
#endif
}

}  // namespace platform
