# What every target of ours builds with: its warnings and, for Windows, the oldest Windows it is
# built for (Windows 7: _WIN32_WINNT and WINVER 0x0601).
set(BRENNICK_WIN32_WINNT 0x0601)

function(brennick_target_defaults target)
    if(MSVC)
        target_compile_options(${target} PRIVATE /W4 /permissive-)
    else()
        target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wconversion -Wsign-conversion -Wshadow)
    endif()
    if(BRENNICK_WARNINGS_AS_ERRORS)
        target_compile_options(${target} PRIVATE $<IF:$<CXX_COMPILER_ID:MSVC>,/WX,-Werror>)
    endif()
    if(WIN32)
        target_compile_definitions(${target} PRIVATE _WIN32_WINNT=${BRENNICK_WIN32_WINNT} WINVER=${BRENNICK_WIN32_WINNT})
    endif()
endfunction()

# The public headers (<brennick/...>, the generated version among them) for the target and
# whatever links it; the private headers of this tree for the target alone, ahead of any folder
# a parent project put on the path.
function(brennick_library_includes target)
    target_include_directories(${target} PUBLIC
        $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/include>
        $<BUILD_INTERFACE:${PROJECT_BINARY_DIR}/generated>)
    target_include_directories(${target} BEFORE PRIVATE ${PROJECT_SOURCE_DIR})
    target_compile_features(${target} PUBLIC cxx_std_20)
endfunction()
