# Runs a program and checks its exit code and what it printed.
#   cmake -DPROGRAM=<exe> -DARGUMENTS=<arguments separated by |> -DEXIT_CODE=<n>
#         [-DOUTPUT=<regex>] [-DERRORS=<regex>] -P ExpectRun.cmake
string(REPLACE "|" ";" arguments "${ARGUMENTS}")
execute_process(COMMAND "${PROGRAM}" ${arguments}
  RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT code STREQUAL EXIT_CODE)
  message(SEND_ERROR "exit code ${code}, expected ${EXIT_CODE}")
endif()
if(DEFINED OUTPUT AND NOT out MATCHES "${OUTPUT}")
  message(SEND_ERROR "output does not match ${OUTPUT}")
endif()
if(DEFINED ERRORS AND NOT err MATCHES "${ERRORS}")
  message(SEND_ERROR "errors do not match ${ERRORS}")
endif()
message(STATUS "output:\n${out}errors:\n${err}")
