# Shared by the end-to-end scripts of tarvex-store: a fresh work folder and
# the helpers that run the tool and compare what it gives.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")

# Runs the tool with ARGN, expects exit code EXPECTED; leaves out and err set.
function(run expected)
  execute_process(COMMAND "${TOOL}" ${ARGN} RESULT_VARIABLE code OUTPUT_VARIABLE output ERROR_VARIABLE error)
  if(NOT code STREQUAL expected)
    message(FATAL_ERROR "tarvex-store ${ARGN}: exit ${code}, expected ${expected}\n${error}")
  endif()
  set(out "${output}" PARENT_SCOPE)
  set(err "${error}" PARENT_SCOPE)
endfunction()

function(expect what actual expected)
  if(NOT actual STREQUAL expected)
    message(FATAL_ERROR "${what}: got [${actual}], expected [${expected}]")
  endif()
endfunction()
