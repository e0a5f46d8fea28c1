# Cross-compiling for 32-bit Windows with clang and lld on mingw-w64.
set(BRENNICK_MINGW_TRIPLET i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/clang-mingw-common.cmake)
