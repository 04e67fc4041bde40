# Looks WinMain up in the symbol file the build keeps beside bin/loquat.exe and reads its address back as a
# function and a source line, as a crash report's address is read:
#   cmake -DNM=... -DADDR2LINE=... -DSYMBOLS=bin/loquat.exe.debug -P read_symbols.cmake
execute_process(COMMAND ${NM} ${SYMBOLS} OUTPUT_VARIABLE symbols RESULT_VARIABLE failed)
if(failed OR NOT symbols MATCHES "([0-9a-f]+) T _?WinMain@?[0-9]*\n")
  message(FATAL_ERROR "read_symbols: ${SYMBOLS} has no symbol WinMain")
endif()
set(address ${CMAKE_MATCH_1})
execute_process(COMMAND ${ADDR2LINE} -f -e ${SYMBOLS} 0x${address} OUTPUT_VARIABLE lines RESULT_VARIABLE failed)
if(failed OR NOT lines MATCHES "^_?WinMain(@[0-9]+)?\n[^\n]*runtime/start/main_win32\\.cpp:[0-9]+")
  message(FATAL_ERROR "read_symbols: address 0x${address} of ${SYMBOLS} reads back as:\n${lines}")
endif()
string(REPLACE "\n" " " lines "${lines}")
message(STATUS "read_symbols: 0x${address} is ${lines}")
