# Cross-compiles the 32-bit Windows programs with mingw-w64; tests run under Wine.
set(VELK_MINGW_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
