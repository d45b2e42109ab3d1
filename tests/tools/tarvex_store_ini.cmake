# End to end through the built tool: ini-set, ini-get, a failing write, usage errors.
include(${CMAKE_CURRENT_LIST_DIR}/tool_script.cmake)
set(FILE "${WORK}/settings.dat")

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
