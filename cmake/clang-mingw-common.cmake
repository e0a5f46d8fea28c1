# Cross-compiling for Windows with clang, on mingw-w64's headers and GCC runtime (posix threads)
# and linked by lld; BRENNICK_MINGW_TRIPLET names the target. Debian's clang does not find that
# runtime by itself: its folder is named after the thread model, which clang does not read as a
# version.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET ${BRENNICK_MINGW_TRIPLET})
set(CMAKE_CXX_COMPILER_TARGET ${BRENNICK_MINGW_TRIPLET})
set(CMAKE_RC_COMPILER ${BRENNICK_MINGW_TRIPLET}-windres)
file(GLOB gcc_runtime LIST_DIRECTORIES true /usr/lib/gcc/${BRENNICK_MINGW_TRIPLET}/*-posix)
if(NOT gcc_runtime)
    message(FATAL_ERROR "no mingw-w64 GCC runtime (posix threads) for ${BRENNICK_MINGW_TRIPLET}: install its g++-mingw-w64-*-posix")
endif()
list(GET gcc_runtime 0 gcc_runtime)
set(CMAKE_CXX_FLAGS_INIT "-isystem ${gcc_runtime}/include/c++ -isystem ${gcc_runtime}/include/c++/${BRENNICK_MINGW_TRIPLET}")
# -pthread: libstdc++ of the posix model needs winpthread, as GCC of that model links by itself.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fuse-ld=lld -L${gcc_runtime} -pthread")
set(CMAKE_FIND_ROOT_PATH /usr/${BRENNICK_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
