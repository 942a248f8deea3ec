# The README's pictures: a program that drives the finished brumelka.exe with the black-box
# tests' driver and saves what the screen shows of each window. scripts/screenshots.sh runs it;
# ctest does not, but it is built with everything else so that it keeps up with the driver.
# Included after cmake/Tests.cmake in the Windows trees.
brumelka_windows_path(screenshots_exe "$<TARGET_FILE:brumelka>")
add_executable(brumelka_screenshots
  "${PROJECT_SOURCE_DIR}/tools/screenshots/Screenshots.cpp"
  "${PROJECT_SOURCE_DIR}/tests/blackbox/Driver.cpp")
target_include_directories(brumelka_screenshots PRIVATE "${PROJECT_SOURCE_DIR}/tests")
target_link_libraries(brumelka_screenshots PRIVATE brumelka_data GTest::gtest_main)
target_compile_definitions(brumelka_screenshots PRIVATE BRUMELKA_EXE="${screenshots_exe}")
add_dependencies(brumelka_screenshots brumelka rasapi32_standin)
