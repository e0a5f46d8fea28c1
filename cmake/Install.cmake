# Install rules and the exported CMake package of the component library. A consumer writes
#   find_package(Brennick CONFIG REQUIRED)
#   target_link_libraries(app PRIVATE Brennick::brennick)
# and includes the headers as this project does ("controls/scrollbars/CScrollBars.h").
if(NOT TARGET brennick)
    return()  # the library exists in the Windows builds only
endif()

include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(BRENNICK_INSTALL_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR}/brennick)
set(BRENNICK_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/Brennick)

# The public headers use C++20, so a consumer's compiler has to as well.
target_include_directories(brennick INTERFACE $<INSTALL_INTERFACE:${BRENNICK_INSTALL_INCLUDEDIR}>)
target_compile_features(brennick INTERFACE cxx_std_20)

install(TARGETS brennick EXPORT BrennickTargets
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT brennick)

# Only the public API is installed: the components, Bool16, Ref, Event and the support routines,
# with the types they take and the hook they embed (in namespace brennick::detail). The window
# layer, its constants, the hook's table and the wheel decoding stay private. scripts/check-headers
# compiles each of these on its own, in every way a Win32 code base may include it.
set(BRENNICK_PUBLIC_HEADERS
    platform/Win32Types.h
    support/Bool16.h
    support/Event.h
    support/MSupport.h
    support/Ref.h
    support/Saturating.h
    controls/hook/WindowHook.h
    controls/scrollbars/CScrollBars.h
    controls/scrollbars/modSubclassScrollBars.h
    controls/wheel/cSubClassWheel.h
    controls/wheel/modSubclassWheel.h)
foreach(header IN LISTS BRENNICK_PUBLIC_HEADERS)
    cmake_path(GET header PARENT_PATH folder)
    install(FILES ${PROJECT_SOURCE_DIR}/${header}
        DESTINATION ${BRENNICK_INSTALL_INCLUDEDIR}/${folder} COMPONENT brennick)
endforeach()
install(FILES ${BRENNICK_GENERATED_DIR}/support/Version.h
    DESTINATION ${BRENNICK_INSTALL_INCLUDEDIR}/support COMPONENT brennick)

install(EXPORT BrennickTargets NAMESPACE Brennick::
    DESTINATION ${BRENNICK_INSTALL_CMAKEDIR} COMPONENT brennick)
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/BrennickConfig.cmake.in
    ${PROJECT_BINARY_DIR}/BrennickConfig.cmake
    INSTALL_DESTINATION ${BRENNICK_INSTALL_CMAKEDIR})
# The version file also refuses a package built for the other pointer size (i686 against x86_64).
write_basic_package_version_file(${PROJECT_BINARY_DIR}/BrennickConfigVersion.cmake
    COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/BrennickConfig.cmake ${PROJECT_BINARY_DIR}/BrennickConfigVersion.cmake
    DESTINATION ${BRENNICK_INSTALL_CMAKEDIR} COMPONENT brennick)
