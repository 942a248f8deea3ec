# A stand-in of Windows' remote-access service for Wine, which has none: tests and demos put
# rasapi32.dll into the Wine prefix's system folder (scripts/wine-run.sh does, given
# BRUMELKA_RAS_STANDIN) so that the program runs on its real code path. Never shipped.
# Included from the top-level CMakeLists.txt in the Windows trees.
file(GLOB rasapi32_sources CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/tools/rasapi32/*.cpp")
add_library(rasapi32_standin SHARED ${rasapi32_sources}
  "${PROJECT_SOURCE_DIR}/tools/rasapi32/rasapi32.def")
set_target_properties(rasapi32_standin PROPERTIES
  PREFIX ""
  OUTPUT_NAME rasapi32
  RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/standin")
# The .def names the functions without the @N that stdcall gives them on i686; the linker
# matches them quietly only when told to.
target_link_options(rasapi32_standin PRIVATE -Wl,--enable-stdcall-fixup)
# Its sections sit on page boundaries, as those of Wine's own system libraries do, so that it
# is mapped from the file as they are rather than read into every process that loads it.
target_link_options(rasapi32_standin PRIVATE -Wl,--file-alignment,4096)
target_link_libraries(rasapi32_standin PRIVATE kernel32)
