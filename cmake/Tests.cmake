# Unit, contract and black-box tests (GoogleTest). Included from the top-level CMakeLists.txt.
#
# Windows test programs run under Wine through CMAKE_CROSSCOMPILING_EMULATOR (scripts/wine-run.sh), both for test discovery and for
# the tests themselves.
include(GoogleTest)

# --- GoogleTest, compiled from source with the same compiler as the program ---
set(BRUMELKA_GTEST_DIR "/usr/src/googletest" CACHE PATH "GoogleTest source tree")
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)

if(EXISTS "${BRUMELKA_GTEST_DIR}/CMakeLists.txt")
  # GoogleTest gets none of our warning options and never -Werror; its own warnings are muted.
  get_directory_property(brumelka_saved_options COMPILE_OPTIONS)
  set_directory_properties(PROPERTIES COMPILE_OPTIONS "")
  add_subdirectory("${BRUMELKA_GTEST_DIR}" "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL SYSTEM)
  set_directory_properties(PROPERTIES COMPILE_OPTIONS "${brumelka_saved_options}")
  foreach(target IN ITEMS gtest gtest_main)
    target_compile_options(${target} PRIVATE $<IF:$<CXX_COMPILER_ID:MSVC>,/w,-w>)
  endforeach()
else()
  find_package(GTest REQUIRED) # e.g. MSYS2's gtest package on Windows
endif()

# Path of a file as a Windows test program sees it. Under Wine the Unix root is drive Z:,
# so /work/main/build/win64/brumelka.exe becomes Z:/work/main/build/win64/brumelka.exe.
# Works with generator expressions such as $<TARGET_FILE:brumelka>.
function(brumelka_windows_path out path)
  if(WIN32 AND NOT CMAKE_HOST_WIN32)
    set(${out} "Z:${path}" PARENT_SCOPE)
  else()
    set(${out} "${path}" PARENT_SCOPE)
  endif()
endfunction()

# Lists the *.cpp files matching the given folder patterns (relative to the source tree).
function(brumelka_test_sources out)
  set(all)
  foreach(pattern IN LISTS ARGN)
    file(GLOB found CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/${pattern}")
    list(APPEND all ${found})
  endforeach()
  list(SORT all)
  set(${out} ${all} PARENT_SCOPE)
endfunction()

# brumelka_test(<target> PREFIX <name> TESTS <patterns...> [HARNESS <patterns...>]
#               [LIBRARIES <targets...>] [LOCK <resource>] [TIMEOUT <seconds>])
# Builds <target> from TESTS plus HARNESS sources and registers every GoogleTest case as its
# own ctest test "<name>.<Suite>.<Case>", each allowed TIMEOUT seconds (120 by default).
# LOCK keeps tests that share a resource (the Wine desktop, a single-instance program) from
# running at the same time under ctest -j.
function(brumelka_test target)
  cmake_parse_arguments(arg "WHOLE_UNDER_WINE" "PREFIX;LOCK;TIMEOUT" "TESTS;HARNESS;LIBRARIES" ${ARGN})
  brumelka_test_sources(tests ${arg_TESTS})
  brumelka_test_sources(harness ${arg_HARNESS})
  add_executable(${target} ${tests} ${harness})
  target_include_directories(${target} PRIVATE "${PROJECT_SOURCE_DIR}" "${PROJECT_SOURCE_DIR}/tests")
  target_link_libraries(${target} PRIVATE ${arg_LIBRARIES} GTest::gtest_main)
  brumelka_windows_path(source_dir "${PROJECT_SOURCE_DIR}")
  target_compile_definitions(${target} PRIVATE BRUMELKA_SOURCE_DIR="${source_dir}")
  if(WIN32)
    target_link_options(${target} PRIVATE -Wl,--dynamicbase -Wl,--nxcompat)
  endif()

  if(NOT arg_TIMEOUT)
    set(arg_TIMEOUT 120)
  endif()
  set(properties TIMEOUT ${arg_TIMEOUT})
  if(arg_LOCK)
    list(APPEND properties RESOURCE_LOCK ${arg_LOCK})
  endif()
  if(arg_WHOLE_UNDER_WINE AND WIN32 AND NOT CMAKE_HOST_WIN32)
    # Every Wine start costs seconds: hundreds of quick cases run in one process instead.
    add_test(NAME ${arg_PREFIX}.all COMMAND ${target})
    set_tests_properties(${arg_PREFIX}.all PROPERTIES TIMEOUT 1200)
  else()
    gtest_discover_tests(${target}
      TEST_PREFIX "${arg_PREFIX}."
      DISCOVERY_MODE PRE_TEST
      DISCOVERY_TIMEOUT 120
      PROPERTIES ${properties})
  endif()
  list(LENGTH tests count)
  message(STATUS "${target}: ${count} test source file(s)")
endfunction()

# Portable logic against the headless UI backend; built natively and for Windows.
brumelka_test(brumelka_tests WHOLE_UNDER_WINE
  PREFIX unit
  TESTS tests/platform/text/*.cpp tests/platform/native/*.cpp tests/data/*.cpp tests/app/*.cpp
        tests/dialogs/*.cpp tests/dial/*.cpp tests/contract/*.cpp tests/platform/*.cpp tests/platform/sim/*.cpp
  HARNESS tests/harness/headless/*.cpp
  LIBRARIES brumelka_app brumelka_headless brumelka_sim brumelka_data)

if(WIN32)
  # The real Win32 backend: the same contract tests plus Win32-only ones; they make windows.
  brumelka_test(brumelka_win32_tests
    PREFIX win32
    TESTS tests/win32/*.cpp tests/contract/*.cpp
    HARNESS tests/harness/win32/*.cpp
    LIBRARIES brumelka_win32 brumelka_data brumelka_headless brumelka_sim
    LOCK brumelka_desktop)
  # scripts/wine-run.sh puts the remote-access stand-in into the prefix for every Windows test
  # once it is built; the tests that dial need it built.
  add_dependencies(brumelka_win32_tests rasapi32_standin)

  # The main window on real windows through a thousand log-ins, dials and hang-ups: about six
  # minutes under Wine on a busy two-core machine.
  brumelka_test(brumelka_soak_tests
    PREFIX soak
    TESTS tests/soak/*.cpp
    LIBRARIES brumelka_app brumelka_win32 brumelka_headless brumelka_sim
    LOCK brumelka_desktop
    TIMEOUT 900)
  add_dependencies(brumelka_soak_tests rasapi32_standin)

  # Drives the finished brumelka.exe from outside.
  brumelka_windows_path(exe "$<TARGET_FILE:brumelka>")
  brumelka_test(brumelka_blackbox_tests
    PREFIX blackbox
    TESTS tests/blackbox/*.cpp
    LIBRARIES brumelka_data version
    LOCK brumelka_desktop)
  target_compile_definitions(brumelka_blackbox_tests PRIVATE BRUMELKA_EXE="${exe}")
  add_dependencies(brumelka_blackbox_tests brumelka rasapi32_standin)
  # Imports, hardening flags and resources of the exe; the scaling cases at 144 DPI.
  include("${PROJECT_SOURCE_DIR}/tests/packaging/Packaging.cmake")
  # The same cases once more under ANSI code page 1252: Wine takes the code page from the
  # locale that scripts/wine-run.sh sets, and child processes keep it.
  gtest_discover_tests(brumelka_blackbox_tests
    TEST_PREFIX "blackbox-cp1252."
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 120
    PROPERTIES TIMEOUT 120 RESOURCE_LOCK brumelka_desktop ENVIRONMENT BRUMELKA_LC_ALL=C.UTF-8)
endif()

# The usage report's core, against logs held in memory and in temporary folders.
brumelka_test(brumelka_report_tests WHOLE_UNDER_WINE
  PREFIX report
  TESTS tests/report/*.cpp
  LIBRARIES brumelka_report brumelka_headless brumelka_data)

if(WIN32)
  # Runs the finished brumelka-report.exe on a log written in the system's regional formats.
  brumelka_windows_path(report_exe "$<TARGET_FILE:brumelka-report>")
  brumelka_test(brumelka_report_exe_tests
    PREFIX report-exe
    TESTS tests/report/win32/*.cpp
    LIBRARIES brumelka_win32 brumelka_data)
  target_compile_definitions(brumelka_report_exe_tests PRIVATE BRUMELKA_REPORT_EXE_W=L"${report_exe}")
  add_dependencies(brumelka_report_exe_tests brumelka-report)
endif()

if(NOT WIN32)
  # The native program end to end: a Windows-1251 log in, UTF-8 text out, its exit codes.
  function(brumelka_report_run name exit_code)
    cmake_parse_arguments(arg "" "OUTPUT;ERRORS" "ARGUMENTS" ${ARGN})
    set(checks)
    if(DEFINED arg_OUTPUT)
      list(APPEND checks "-DOUTPUT=${arg_OUTPUT}")
    endif()
    if(DEFINED arg_ERRORS)
      list(APPEND checks "-DERRORS=${arg_ERRORS}")
    endif()
    string(REPLACE ";" "|" arguments "${arg_ARGUMENTS}")
    add_test(NAME report-native.${name}
      COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:brumelka-report> "-DARGUMENTS=${arguments}"
              -DEXIT_CODE=${exit_code} ${checks}
              -P ${PROJECT_SOURCE_DIR}/tests/report/native/ExpectRun.cmake)
  endfunction()
  set(report_log "${PROJECT_SOURCE_DIR}/tests/report/native/connects.log")
  brumelka_report_run(csv 0 ARGUMENTS "${report_log};--csv"
    OUTPUT "^[^\n]*\n2026-12,root,1,1:00:00,1:00:00,1\n2026-12,Оксана,1,0:30:00,0:30:00,0\n2026-11,Оксана,1,1:00:00,1:00:00,0\n$"
    ERRORS "^Нерозпізнаних рядків: 1 \\(перший: рядок 6\\)\\.\n$")
  brumelka_report_run(month 0 ARGUMENTS "--month;2026-11;${report_log}"
    OUTPUT "\n2026-11  Оксана            1       1:00:00          1:00:00          0\n")
  brumelka_report_run(missing-log 1 ARGUMENTS "${report_log}.missing"
    ERRORS "^Не вдалося відкрити журнал ")
  brumelka_report_run(usage-error 2 ARGUMENTS "--month;2026-13" ERRORS "Використання: ")
endif()
