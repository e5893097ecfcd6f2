# What `cmake --install` puts in place: the plug-ins with the engine library
# it loads, the public header, the pipecorr command, a CMake package
# (find_package(pipecorr) gives pipecorr::pipecorr) and a pkg-config file.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(PIPECORR_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/pipecorr)

# The plug-in and the engine go to the same directory: the plug-in finds the
# engine beside itself ($ORIGIN), as it does in the build tree.
# The engine is exported too: the plug-in links it, so a consumer that
# links the plug-in must be able to resolve it.
install(TARGETS pipecorr pipecorr_wells twpc2032 EXPORT pipecorrTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(FILES ${PROJECT_SOURCE_DIR}/include/pipecorr/pipecorr.h
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/pipecorr)
if(TARGET pipecorr_command)
  install(TARGETS pipecorr_command RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

install(EXPORT pipecorrTargets
  NAMESPACE pipecorr::
  DESTINATION ${PIPECORR_INSTALL_CMAKEDIR})
configure_package_config_file(
  ${PROJECT_SOURCE_DIR}/cmake/pipecorrConfig.cmake.in
  ${PROJECT_BINARY_DIR}/pipecorrConfig.cmake
  INSTALL_DESTINATION ${PIPECORR_INSTALL_CMAKEDIR}
  PATH_VARS CMAKE_INSTALL_INCLUDEDIR)
write_basic_package_version_file(
  ${PROJECT_BINARY_DIR}/pipecorrConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES
  ${PROJECT_BINARY_DIR}/pipecorrConfig.cmake
  ${PROJECT_BINARY_DIR}/pipecorrConfigVersion.cmake
  DESTINATION ${PIPECORR_INSTALL_CMAKEDIR})

file(RELATIVE_PATH PIPECORR_PC_TO_PREFIX
  ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBDIR}/pkgconfig
  ${CMAKE_INSTALL_PREFIX})
if(WIN32)
  set(PIPECORR_PLUGIN_FILE pipecorr.dll)
else()
  set(PIPECORR_PLUGIN_FILE libpipecorr${CMAKE_SHARED_LIBRARY_SUFFIX})
endif()
configure_file(${PROJECT_SOURCE_DIR}/cmake/pipecorr.pc.in
  ${PROJECT_BINARY_DIR}/pipecorr.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/pipecorr.pc
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
