# Fails on any #include whose path climbs out of a folder ("../x.hpp",
# "a/../b.hpp", <../x.h>): such an include compiles whatever the layers
# allow, so the build could no longer refuse a core that reaches up.
#   cmake -DROOT=... -DFOLDERS=src,tests,... -P relative_include_check.cmake
include(${CMAKE_CURRENT_LIST_DIR}/source_files.cmake)
pipecorr_source_files(files "${ROOT}" "${FOLDERS}")
set(offenders "")
foreach(file IN LISTS files)
  file(STRINGS ${file} lines
       REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<]([^\">]*/)?\\.\\.[/\\\\\">]")
  foreach(line IN LISTS lines)
    file(RELATIVE_PATH name ${ROOT} ${file})
    string(STRIP "${line}" line)
    list(APPEND offenders "${name}: ${line}")
  endforeach()
endforeach()
list(LENGTH files count)
if(offenders)
  list(JOIN offenders "\n  " text)
  message(FATAL_ERROR "relative includes (include by the layer's folder "
                      "name instead):\n  ${text}")
endif()
message(STATUS "${count} files, no relative include")
