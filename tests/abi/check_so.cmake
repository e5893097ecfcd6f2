# Checks that a built ELF plug-in exports exactly the expected names:
#
#   cmake -DNM=... -DLIBRARY=... -DEXPORTS=name:ordinal:words,... -P check_so.cmake
#
# Only the names count here; ordinals and stack words are Windows matters,
# and the 32-bit convention is exercised by running the suite under qemu.
cmake_minimum_required(VERSION 3.25)

string(REPLACE "," ";" EXPORTS "${EXPORTS}")
set(expected "")
foreach(entry IN LISTS EXPORTS)
  string(REGEX REPLACE ":.*" "" name "${entry}")
  list(APPEND expected "${name}")
endforeach()
list(SORT expected)

execute_process(COMMAND ${NM} -D --defined-only ${LIBRARY}
  OUTPUT_VARIABLE symbols ERROR_VARIABLE nm_error RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "check_so: ${NM} -D ${LIBRARY} failed: ${nm_error}")
endif()
string(REPLACE "\n" ";" symbol_lines "${symbols}")
set(exported "")
foreach(line IN LISTS symbol_lines)
  # "address type name"; a version node of a version script is type A.
  if(line MATCHES "^[0-9a-f]+ ([A-Za-z]) ([^ @]+)")
    if(NOT CMAKE_MATCH_1 STREQUAL "A")
      list(APPEND exported "${CMAKE_MATCH_2}")
    endif()
  endif()
endforeach()
list(SORT exported)

if(NOT exported STREQUAL expected)
  message(FATAL_ERROR
    "${LIBRARY} exports [${exported}], expected exactly [${expected}]")
endif()
message(STATUS "${LIBRARY}: exports [${exported}]: as expected")
