# Cross-compiling for 32-bit Windows with mingw-w64's GCC.
set(BRENNICK_MINGW_TRIPLET i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
