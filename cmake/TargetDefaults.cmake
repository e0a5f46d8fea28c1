# What every target of ours builds with: its warnings and, for Windows, the oldest Windows it is
# built for (Windows 7: _WIN32_WINNT and WINVER 0x0601).
set(BRENNICK_WIN32_WINNT 0x0601)

function(brennick_target_defaults target)
    if(MSVC)
        target_compile_options(${target} PRIVATE /W4 /permissive-)
    else()
        target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wconversion -Wsign-conversion -Wshadow)
    endif()
    if(WIN32)
        target_compile_definitions(${target} PRIVATE _WIN32_WINNT=${BRENNICK_WIN32_WINNT} WINVER=${BRENNICK_WIN32_WINNT})
    endif()
endfunction()
