# Every program a test starts must go through tests/support/program_launcher.hpp,
# which puts the build's emulator in front of it; a test that starts one any
# other way would only pass on kernels that can run the target's programs.
#   cmake -DTESTS_DIR=... -P program_starts_check.cmake
file(GLOB_RECURSE sources ${TESTS_DIR}/*.cpp ${TESTS_DIR}/*.hpp ${TESTS_DIR}/*.c)
set(offenders "")
foreach(source IN LISTS sources)
  if(source MATCHES "support/program_launcher\\.hpp$")
    continue()
  endif()
  file(STRINGS ${source} lines REGEX
       "(std::system|[^_a-z]system|popen|posix_spawn|CreateProcess|_spawn|exec[lv]p?e?)[ ]*\\(")
  foreach(line IN LISTS lines)
    string(STRIP "${line}" line)
    if(line MATCHES "^//")
      continue()
    endif()
    list(APPEND offenders "${source}: ${line}")
  endforeach()
endforeach()
if(offenders)
  list(JOIN offenders "\n  " text)
  message(FATAL_ERROR "programs started outside the launcher:\n  ${text}")
endif()
message(STATUS "every program start goes through the launcher")
