# Script mode: install the library into a fresh prefix, build the consumer
# project against that prefix alone, copy the DLL beside it and run it.
set(prefix ${BUILD_DIR}/consumer/prefix)
set(work ${BUILD_DIR}/consumer/build)
file(REMOVE_RECURSE ${BUILD_DIR}/consumer)

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "failed (${rc}): ${ARGN}")
  endif()
endfunction()

run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})
run(${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${work} -G Ninja
    -DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN} -DCMAKE_PREFIX_PATH=${prefix}
    -DCMAKE_BUILD_TYPE=Release)
run(${CMAKE_COMMAND} --build ${work})
file(COPY ${prefix}/bin/kvVXComBase.dll DESTINATION ${work})
run(${EMULATOR} ${work}/consumer.exe)
