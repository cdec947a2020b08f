# cmake -DPROGRAM=... -DARGS=a;b -DEXPECTED_EXIT=n -DEXPECTED_OUTPUT=text -P run_tq370ctl.cmake
# EXPECTED_OUTPUT is the output without its final line feed; empty leaves it unchecked.
execute_process(COMMAND ${PROGRAM} ${ARGS}
  RESULT_VARIABLE exitCode OUTPUT_VARIABLE output ERROR_VARIABLE errors)
if(NOT exitCode EQUAL EXPECTED_EXIT)
  message(FATAL_ERROR "exit ${exitCode}, expected ${EXPECTED_EXIT}\n${output}${errors}")
endif()
if(NOT EXPECTED_OUTPUT STREQUAL "" AND NOT output STREQUAL "${EXPECTED_OUTPUT}\n")
  message(FATAL_ERROR "output [${output}], expected [${EXPECTED_OUTPUT}]")
endif()
