# End to end through the built tool: ini-set, ini-get, a failing write, usage errors.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
set(FILE "${WORK}/settings.dat")

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

run(0 ini-set "${FILE}" Main ComPort 3)
run(0 ini-set "${FILE}" Main "Window Width" "12 345")
run(0 ini-set "${FILE}" Main ComPort 4)
# As hex: a text read would drop the carriage returns.
file(READ "${FILE}" content HEX)
string(HEX "[Main]\r\nComPort=4\r\nWindow Width=12 345\r\n" expected)
expect("file after ini-set" "${content}" "${expected}")

run(0 ini-get "${FILE}" main COMPORT)
expect("ini-get" "${out}" "4\n")
run(0 ini-get "${FILE}" Main Missing)
expect("ini-get of a missing key" "${out}" "\n")

run(1 ini-set "${WORK}/missing/settings.dat" Main ComPort 1)
if(NOT err MATCHES "^Cannot write \".*/missing/settings.dat\": .+")
  message(FATAL_ERROR "failing ini-set gave no reason: [${err}]")
endif()
if(EXISTS "${WORK}/missing")
  message(FATAL_ERROR "ini-set created a folder")
endif()

foreach(bad "" "ini-get;${FILE};Main" "ini-set;${FILE};Main;K" "no-such-command")
  run(2 ${bad})
  if(NOT err MATCHES "usage: tarvex-store ini-get FILE SECTION KEY")
    message(FATAL_ERROR "no usage line for [${bad}]: [${err}]")
  endif()
endforeach()
