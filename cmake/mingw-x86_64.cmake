# The same Windows programs built for 64-bit Windows. velk ships as a 32-bit program; this build
# exists so that its Windows code runs and is tested under 64-bit Wine on machines that cannot
# run 32-bit code at all.
set(VELK_MINGW_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
