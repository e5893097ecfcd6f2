# Fails when a C or C++ file differs from what clang-format makes of it
# (clang-format --dry-run -Werror, which names every place).
#   cmake -DROOT=... -DFOLDERS=... -DCLANG_FORMAT=... -P format_check.cmake
if(NOT CLANG_FORMAT)
  message(FATAL_ERROR "clang-format not found: install the Debian package "
                      "clang-format (tools/install-deps does)")
endif()
include(${CMAKE_CURRENT_LIST_DIR}/source_files.cmake)
pipecorr_source_files(files "${ROOT}" "${FOLDERS}")
execute_process(COMMAND ${CLANG_FORMAT} --dry-run -Werror ${files}
                WORKING_DIRECTORY ${ROOT}
                RESULT_VARIABLE status ERROR_VARIABLE report)
list(LENGTH files count)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "not formatted as .clang-format says (run clang-format "
                      "-i on the files named):\n${report}")
endif()
message(STATUS "${count} files formatted as .clang-format says")
