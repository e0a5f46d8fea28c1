# Settings for this project's own build only (never for a parent that adds it as a subproject).
set(CMAKE_CXX_STANDARD 20)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
option(BRENNICK_WARNINGS_AS_ERRORS "Treat compiler warnings as errors" OFF)

option(BRENNICK_TSAN "Build the host targets with ThreadSanitizer (for the thread stress)" OFF)
if(BRENNICK_TSAN)
    add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
    add_link_options(-fsanitize=thread)
endif()
if(BRENNICK_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

if(MINGW)
    # The project's own programs carry their runtime, so that they run under Wine or on Windows
    # with no mingw DLLs beside them. The library itself is linked however its user links.
    add_link_options(-static)
endif()
if(CMAKE_CROSSCOMPILING AND WIN32 AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
    # CTest runs the Windows test programs through Wine, in the build tree's own prefix.
    set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/scripts/wine-run)
endif()
