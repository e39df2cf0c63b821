# Installing the renderer library: librenderer (static unless
# BUILD_SHARED_LIBS), the public headers, a CMake package
# (find_package(Renderer CONFIG) gives Renderer::renderer) and renderer.pc.
# Beyond the C++ runtime the library needs Highway (libhwy), whose run-time
# target checks choose the fills' vector code, and libpng, libjpeg,
# tinyobjloader and tinygltf for reading model files.
include(CMakePackageConfigHelpers)

set(renderer_cmake_dir ${CMAKE_INSTALL_LIBDIR}/cmake/Renderer)

set_target_properties(renderer PROPERTIES
  VERSION ${PROJECT_VERSION}
  SOVERSION ${PROJECT_VERSION_MAJOR})
install(TARGETS renderer EXPORT RendererTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/renderer
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(EXPORT RendererTargets
  NAMESPACE Renderer::
  DESTINATION ${renderer_cmake_dir})

configure_package_config_file(
  ${PROJECT_SOURCE_DIR}/cmake/RendererConfig.cmake.in
  ${PROJECT_BINARY_DIR}/RendererConfig.cmake
  INSTALL_DESTINATION ${renderer_cmake_dir})
write_basic_package_version_file(
  ${PROJECT_BINARY_DIR}/RendererConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES
  ${PROJECT_BINARY_DIR}/RendererConfig.cmake
  ${PROJECT_BINARY_DIR}/RendererConfigVersion.cmake
  DESTINATION ${renderer_cmake_dir})

# The prefix is found from the file's own place, so renderer.pc is right
# for `cmake --install build --prefix P` whatever P is.
file(RELATIVE_PATH RENDERER_PC_PREFIX
  /${CMAKE_INSTALL_LIBDIR}/pkgconfig /)
string(REGEX REPLACE "/$" "" RENDERER_PC_PREFIX "${RENDERER_PC_PREFIX}")
configure_file(${PROJECT_SOURCE_DIR}/cmake/renderer.pc.in
  ${PROJECT_BINARY_DIR}/renderer.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/renderer.pc
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
