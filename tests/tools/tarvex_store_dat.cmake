# End to end through the built tool: resave of a missing file, read of the
# result, a read that logs, a failing resave, and the shipped sample.
include(${CMAKE_CURRENT_LIST_DIR}/tool_script.cmake)

# Defaults written by the program's own writer: every key once.
run(0 resave "${WORK}/missing.dat" "${WORK}/defaults.dat")
file(STRINGS "${WORK}/defaults.dat" keys REGEX "=")
list(LENGTH keys count)
if(NOT count EQUAL 1549)
  message(FATAL_ERROR "defaults hold ${count} keys")
endif()

# The defaults read back without a log line, a flag or a message.
run(0 read "${WORK}/defaults.dat" --log "${WORK}/clean.log")
file(SIZE "${WORK}/clean.log" size)
if(NOT size EQUAL 0 OR out MATCHES "FLAG:|MESSAGE:")
  message(FATAL_ERROR "a valid file gave a log line or a flag:\n${out}")
endif()
if(NOT out MATCHES "^HangTime\\(1\\)=50\n" OR NOT out MATCHES "\nAllowTerminatorSpeech=0\n$")
  message(FATAL_ERROR "settings not printed in reader order:\n${out}")
endif()

# A refused value and equal codes: the log line, the flags, the message.
file(COPY_FILE "${WORK}/defaults.dat" "${WORK}/bad.dat")
run(0 ini-set "${WORK}/bad.dat" Timers "HangTime(2)" 256)
run(0 ini-set "${WORK}/bad.dat" Unlock Lock D)
run(0 read "${WORK}/bad.dat" --log "${WORK}/bad.log")
file(READ "${WORK}/bad.log" log HEX)
string(HEX "Ram_HangTime 2\r\n" expected)
if(NOT log STREQUAL expected)
  string(SUBSTRING "${log}" 0 200 start)
  message(FATAL_ERROR "log is not the one refused hang time: ${start}")
endif()
foreach(expected "HangTime\\(2\\)=50\n" "FLAG: TimersChanged\n" "FLAG: DatFileErrors\n" "FLAG: SelectSpecialCodes\n"
                 "MESSAGE: [^:]+: ERROR! Your Lock Code and Terminator Digit are the same")
  if(NOT out MATCHES "${expected}")
    message(FATAL_ERROR "read output lacks ${expected}:\n${out}")
  endif()
endforeach()

run(1 resave "${WORK}/defaults.dat" "${WORK}/no/such/folder/out.dat")
if(NOT err MATCHES "out.dat")
  message(FATAL_ERROR "failure does not name the file: ${err}")
endif()

# The shipped sample is the program's own defaults.
file(READ "${WORK}/defaults.dat" made)
file(READ "${SAMPLE}" shipped)
if(NOT made STREQUAL shipped)
  message(FATAL_ERROR "examples/sample.dat is not what the writer makes of the defaults")
endif()
