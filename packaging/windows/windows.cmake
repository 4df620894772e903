# The Windows build: one static korindo.exe with its icon and version as
# Windows resources.

set(KORINDO_ICON ${CMAKE_SOURCE_DIR}/assets/Icon.ICO)
configure_file(${CMAKE_CURRENT_LIST_DIR}/korindo.rc.in ${CMAKE_BINARY_DIR}/korindo.rc @ONLY)
target_sources(korindo PRIVATE ${CMAKE_BINARY_DIR}/korindo.rc)

# Smaller without losing anything: unused sections dropped, symbols stripped.
target_compile_options(korindo_core PRIVATE -ffunction-sections -fdata-sections)
target_compile_options(korindo_gui PRIVATE -ffunction-sections -fdata-sections)
target_link_options(korindo PRIVATE -Wl,--gc-sections -s)
