# Installs the build into a fresh prefix and checks that the installed
# program finds its resources there: the probe, copied beside it, looks them
# up as the program does.
#   cmake -DBUILD_DIR=… -DPROBE=… -DWORK=… -P install_test.cmake
file(REMOVE_RECURSE ${WORK})
set(prefix ${WORK}/prefix)
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix}
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

foreach(file bin/tavlin share/tavlin/resources/Packege3x3.dat share/tavlin/resources/Packege4x4.dat
             share/tavlin/resources/glyphs.dat share/tavlin/resources/titular_digits.dat)
  if(NOT EXISTS ${prefix}/${file})
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()
if(IS_SYMLINK ${prefix}/share/tavlin/resources OR EXISTS ${prefix}/bin/resources)
  message(FATAL_ERROR "the installed resources must be real files under share/, not beside the program")
endif()

file(COPY ${PROBE} DESTINATION ${prefix}/bin)
get_filename_component(probe_name ${PROBE} NAME)
execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=TAVLIN_RESOURCES_DIR ${prefix}/bin/${probe_name}
                RESULT_VARIABLE result OUTPUT_VARIABLE found ERROR_VARIABLE errors)
string(STRIP "${found}" found)
if(NOT result EQUAL 0 OR NOT found STREQUAL "${prefix}/share/tavlin/resources/")
  message(FATAL_ERROR "the installed program looks in '${found}' (${result}): ${errors}")
endif()
file(REMOVE_RECURSE ${WORK})
message(STATUS "installed into ${prefix}; resources found in ${found}")
