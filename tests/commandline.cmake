# Runs PROGRAM with ARGUMENTS (a ;-list), through EMULATOR where one is
# given, and fails unless it exits with 0 and its output matches EXPECTED.
separate_arguments(arguments UNIX_COMMAND "${ARGUMENTS}")
execute_process(COMMAND ${EMULATOR} ${PROGRAM} ${arguments}
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${PROGRAM} ${ARGUMENTS} ended with ${result}: ${errors}")
endif()
if(NOT output MATCHES "${EXPECTED}")
    message(FATAL_ERROR "${PROGRAM} ${ARGUMENTS} printed:\n${output}")
endif()
message(STATUS "${output}")
