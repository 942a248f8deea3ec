# The usage report: a console program beside brumelka.exe. Included from the top-level
# CMakeLists.txt after the program's own libraries.

brumelka_sources(report_sources report)
brumelka_library(brumelka_report ${report_sources})
target_link_libraries(brumelka_report PUBLIC brumelka_data)

if(WIN32)
  add_executable(brumelka-report report/win32/main.cpp report/win32/SharedLogFile.cpp)
  target_link_libraries(brumelka-report PRIVATE brumelka_report brumelka_win32)
  target_link_options(brumelka-report PRIVATE -municode -Wl,--dynamicbase -Wl,--nxcompat)
else()
  add_executable(brumelka-report report/native/main.cpp)
  target_link_libraries(brumelka-report PRIVATE brumelka_report brumelka_native)
endif()
