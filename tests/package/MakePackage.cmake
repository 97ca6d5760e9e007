# Makes the release zip as scripts/package does and unpacks it for the
# package tests. Run by ctest with -D CPACK_COMMAND, CPACK_CONFIG, ZIP_NAME
# and OUT (a folder of its own, made anew).
file(REMOVE_RECURSE ${OUT})
file(MAKE_DIRECTORY ${OUT}/unpacked)
execute_process(COMMAND ${CPACK_COMMAND} --config ${CPACK_CONFIG} -B ${OUT} RESULT_VARIABLE made)
if(NOT made EQUAL 0)
  message(FATAL_ERROR "cpack failed: ${made}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${OUT}/${ZIP_NAME} WORKING_DIRECTORY ${OUT}/unpacked
                RESULT_VARIABLE unpacked)
if(NOT unpacked EQUAL 0)
  message(FATAL_ERROR "cannot unpack ${ZIP_NAME}: ${unpacked}")
endif()
