# Cross-compiling for 64-bit Windows with clang and lld on mingw-w64.
set(BRENNICK_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/clang-mingw-common.cmake)
