# Runs torvi-cli with ARGS and checks its exit code; a failure must say why on stderr.
execute_process(COMMAND ${CLI} ${ARGS} RESULT_VARIABLE rc OUTPUT_VARIABLE out
                ERROR_VARIABLE err)
if(NOT rc EQUAL CODE)
  message(FATAL_ERROR "exit code ${rc}, expected ${CODE}\nstdout: ${out}\nstderr: ${err}")
endif()
if(NOT CODE EQUAL 0 AND err STREQUAL "")
  message(FATAL_ERROR "failed without a message on stderr")
endif()
if(CODE EQUAL 2 AND NOT err MATCHES "fixtures/")
  message(FATAL_ERROR "the message does not name the file: ${err}")
endif()
message("${out}${err}")
