# Runs one trace: noboria-trace RAND < SCRIPT. Standard output must equal
# EXPECTED byte for byte, the exit status must be STATUS, and standard error
# must contain STDERR when that is given.
#   cmake -DTRACE=... -DRAND=... -DSCRIPT=... -DEXPECTED=... -DSTATUS=n
#         [-DSTDERR=text] -DWORK=dir -P run_trace.cmake
get_filename_component(name ${EXPECTED} NAME_WE)
set(actual ${WORK}/${name}.actual)
file(MAKE_DIRECTORY ${WORK})
execute_process(
  COMMAND ${TRACE} ${RAND}
  INPUT_FILE ${SCRIPT}
  OUTPUT_FILE ${actual}
  ERROR_VARIABLE errors
  RESULT_VARIABLE status)

set(failed FALSE)
if(NOT status STREQUAL STATUS)
  message(SEND_ERROR "exit status ${status}, expected ${STATUS}; stderr:\n${errors}")
  set(failed TRUE)
endif()
if(DEFINED STDERR AND NOT STDERR STREQUAL "")
  string(FIND "${errors}" "${STDERR}" at)
  if(at EQUAL -1)
    message(SEND_ERROR "stderr lacks \"${STDERR}\"; it was:\n${errors}")
    set(failed TRUE)
  endif()
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${actual} ${EXPECTED} RESULT_VARIABLE differ)
if(NOT differ EQUAL 0)
  execute_process(COMMAND diff -u ${EXPECTED} ${actual} OUTPUT_VARIABLE diff_text)
  message(SEND_ERROR "stdout differs from ${EXPECTED}:\n${diff_text}")
  set(failed TRUE)
endif()
if(failed)
  message(FATAL_ERROR "trace ${name} failed")
endif()
