# For the install tests (cmake -P scripts): installs one component of the
# build tree BUILD_DIR into the scratch DESTDIR SCRATCH, emptied first.
function(install_component component)
  file(REMOVE_RECURSE "${SCRATCH}")
  set(ENV{DESTDIR} "${SCRATCH}")
  execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --component ${component}
                  RESULT_VARIABLE result OUTPUT_QUIET)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install --component ${component} failed: ${result}")
  endif()
endfunction()
