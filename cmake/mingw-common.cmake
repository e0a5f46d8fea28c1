set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${BRENNICK_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${BRENNICK_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${BRENNICK_MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${BRENNICK_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Packages are looked for in the target root and, for a consumer of ours, in CMAKE_PREFIX_PATH.
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)
# Static runtime: the programs need no mingw DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# CTest runs the test programs through Wine, in the build tree's own prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
