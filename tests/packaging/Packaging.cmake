# Checks of the finished program. Included from cmake/Tests.cmake in the Windows trees.
#
# The "packaging" tests read the exe with the MinGW binutils on the build machine, so they run
# even where the program itself cannot (the i686 tree on a 64-bit-only kernel).
set(brumelka_packaging_dir "${CMAKE_CURRENT_LIST_DIR}")

add_test(NAME packaging.imports
  COMMAND "${brumelka_packaging_dir}/check-imports.sh" "${CMAKE_OBJDUMP}" "$<TARGET_FILE:brumelka>")
add_test(NAME packaging.resources
  COMMAND "${brumelka_packaging_dir}/check-resources.sh" "${CMAKE_RC_COMPILER}"
          "$<TARGET_FILE:brumelka>")
set_tests_properties(packaging.imports packaging.resources PROPERTIES LABELS packaging TIMEOUT 60)

# The Win32 backend's scaling cases once more at 150 %, in a Wine prefix of their own.
if(NOT CMAKE_HOST_WIN32)
  add_test(NAME win32-dpi144.Win32DpiScaling
    COMMAND "${PROJECT_SOURCE_DIR}/tests/win32/run-at-dpi.sh" 144
            "${CMAKE_BINARY_DIR}/wineprefix-dpi144" "$<TARGET_FILE:brumelka_win32_tests>"
            "--gtest_filter=Win32DpiScaling.*")
  set_tests_properties(win32-dpi144.Win32DpiScaling PROPERTIES
    TIMEOUT 300 RESOURCE_LOCK brumelka_desktop)
endif()
