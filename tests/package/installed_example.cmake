# Installs the build to a fresh prefix, builds examples/draw_meshes and
# examples/load_scene against the installed package as projects of their
# own, runs them and checks their pictures. Run by CTest with cmake -P; the variables come from
# tests/package/CMakeLists.txt.
function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "failed (${status}): ${ARGN}")
  endif()
endfunction()

file(REMOVE_RECURSE ${WORK_DIR})
run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${WORK_DIR}/prefix)
foreach(file lib/librenderer.a include/renderer/renderer.h
        include/renderer/scene_file.h
        lib/cmake/Renderer/RendererConfig.cmake
        lib/cmake/Renderer/RendererConfigVersion.cmake
        lib/pkgconfig/renderer.pc)
  if(NOT EXISTS ${WORK_DIR}/prefix/${file})
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()
run(${CMAKE_COMMAND} -S ${SOURCE_DIR}/examples/draw_meshes
    -B ${WORK_DIR}/build -G ${GENERATOR}
    -DCMAKE_CXX_COMPILER=${CXX_COMPILER}
    -DCMAKE_PREFIX_PATH=${WORK_DIR}/prefix)
run(${CMAKE_COMMAND} --build ${WORK_DIR}/build)
run(${WORK_DIR}/build/draw-meshes ${WORK_DIR}/meshes.png)
# The background, the checker's two colours in the square, the lit triangle.
run(${PNG_CHECK} ${WORK_DIR}/meshes.png 320 240
    0 0 787878  319 239 787878
    60 55 D03030|F0D040  97 95 D03030|F0D040  140 140 D03030|F0D040
    210 120 91AADD)

# A scene file loaded and drawn: the grey background, the triangle in its
# colour, the blue line along its top edge; a missing file refused with one
# line and status 2.
run(${CMAKE_COMMAND} -S ${SOURCE_DIR}/examples/load_scene
    -B ${WORK_DIR}/load-build -G ${GENERATOR}
    -DCMAKE_CXX_COMPILER=${CXX_COMPILER}
    -DCMAKE_PREFIX_PATH=${WORK_DIR}/prefix)
run(${CMAKE_COMMAND} --build ${WORK_DIR}/load-build)
run(${WORK_DIR}/load-build/load-scene ${SOURCE_DIR}/examples/load_scene/example.json
    ${WORK_DIR}/scene.png)
run(${PNG_CHECK} ${WORK_DIR}/scene.png 160 120
    0 0 787878  159 119 787878  5 60 787878
    80 60 C07010  80 100 C07010  80 9 0000FF)
execute_process(COMMAND ${WORK_DIR}/load-build/load-scene
    ${WORK_DIR}/absent.json ${WORK_DIR}/absent.png
  RESULT_VARIABLE status ERROR_VARIABLE refusal)
if(NOT status EQUAL 2 OR
   NOT refusal STREQUAL "${WORK_DIR}/absent.json: (file): cannot be read\n")
  message(FATAL_ERROR "load-scene on a missing file: ${status} ${refusal}")
endif()
