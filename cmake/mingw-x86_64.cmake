# Cross-compiling for Windows (x86_64) with the MinGW-w64 compilers of the posix thread model
# (std::thread, std::mutex and friends need it with GCC 12).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(BRUMELKA_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${BRUMELKA_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${BRUMELKA_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${BRUMELKA_MINGW_TRIPLE}-windres)

# Look for headers and libraries only in the MinGW sysroot, for programs only on the host.
set(CMAKE_FIND_ROOT_PATH /usr/${BRUMELKA_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
