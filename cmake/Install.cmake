# Install rules of the component library: the static library, its public headers (the folder
# include/brennick, included as <brennick/...>), the licence, the exported CMake package
# Brennick::brennick and a pkg-config file. Debug and Release install into one prefix side by
# side (the Debug library carries the postfix d).
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(BRENNICK_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/Brennick)

target_include_directories(brennick INTERFACE $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
install(TARGETS brennick EXPORT BrennickTargets
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT brennick)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/brennick ${BRENNICK_GENERATED_DIR}/brennick
    DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT brennick
    FILES_MATCHING PATTERN "*.h")
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/brennick COMPONENT brennick)

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

# pkg-config: paths relative to the .pc file, so that the prefix can move. The Debug build has a
# module of its own, brennickd, for its own library.
set(BRENNICK_PC_LIBRARY "brennick$<$<CONFIG:Debug>:d>")
configure_file(${PROJECT_SOURCE_DIR}/cmake/brennick.pc.in ${PROJECT_BINARY_DIR}/pkgconfig/brennick.pc.in @ONLY)
file(GENERATE OUTPUT ${PROJECT_BINARY_DIR}/pkgconfig/$<CONFIG>/${BRENNICK_PC_LIBRARY}.pc
    INPUT ${PROJECT_BINARY_DIR}/pkgconfig/brennick.pc.in)
install(FILES ${PROJECT_BINARY_DIR}/pkgconfig/$<CONFIG>/${BRENNICK_PC_LIBRARY}.pc
    DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT brennick)
