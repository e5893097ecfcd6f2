# Installs the build into a fresh prefix, then checks that what a host
# developer gets works: the program finds its plug-in, a CMake project finds
# the package, and a compiler finds header and library through pkg-config.
#
# cmake -DBUILD_DIR=... -DSOURCE_DIR=... -DWORK_DIR=... -DGENERATOR=...
#       -DC_COMPILER=... -DC_FLAGS=... -DLINK_FLAGS=... -P install_test.cmake
cmake_minimum_required(VERSION 3.25)

function(run_step what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status
    OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${what} failed (${status}):\n${out}\n${err}")
  endif()
  set(step_output "${out}" PARENT_SCOPE)
endfunction()

# The rows of libpipecorr's catalogue, and any others named after the text.
function(expect_catalogue what text)
  foreach(row "BB_2" "BB_3" "ORBA_3" ${ARGN})
    string(FIND "${text}" "${row}" at)
    if(at EQUAL -1)
      message(FATAL_ERROR "${what} does not show ${row}:\n${text}")
    endif()
  endforeach()
endfunction()

file(REMOVE_RECURSE ${WORK_DIR})
set(prefix ${WORK_DIR}/prefix)
run_step("install" ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})

# The layout a host developer relies on.
file(GLOB_RECURSE config ${prefix}/*/pipecorrConfig.cmake)
file(GLOB_RECURSE pc_file ${prefix}/*/pipecorr.pc)
file(GLOB_RECURSE plugin ${prefix}/*/libpipecorr.so)
file(GLOB_RECURSE engine ${prefix}/*/libtwpc2032.so)
foreach(item config pc_file plugin engine)
  if(NOT ${item})
    message(FATAL_ERROR "install lacks ${item}")
  endif()
endforeach()
foreach(path bin/pipecorr include/pipecorr/pipecorr.h)
  if(NOT EXISTS ${prefix}/${path})
    message(FATAL_ERROR "install lacks ${path}")
  endif()
endforeach()

# The installed program finds the installed plug-in by itself.
run_step("installed pipecorr list" ${prefix}/bin/pipecorr list)
# The command loads every installed plug-in.
expect_catalogue("installed pipecorr list" "${step_output}" "HB_3" "ANSARI_3")

# find_package(pipecorr) and pipecorr::pipecorr.
run_step("consumer configure" ${CMAKE_COMMAND} -S ${SOURCE_DIR}/tests/consumer
  -B ${WORK_DIR}/consumer -G ${GENERATOR} -DCMAKE_PREFIX_PATH=${prefix}
  -DCMAKE_C_COMPILER=${C_COMPILER} "-DCMAKE_C_FLAGS=${C_FLAGS}"
  "-DCMAKE_EXE_LINKER_FLAGS=${LINK_FLAGS}")
run_step("consumer build" ${CMAKE_COMMAND} --build ${WORK_DIR}/consumer)
run_step("consumer run" ${WORK_DIR}/consumer/consumer)
expect_catalogue("consumer built with find_package" "${step_output}")

# pkg-config, with the package found through the installed .pc file only.
get_filename_component(pc_dir ${pc_file} DIRECTORY)
set(ENV{PKG_CONFIG_PATH} ${pc_dir})
run_step("pkg-config plugin" pkg-config --variable=plugin pipecorr)
string(STRIP "${step_output}" pc_plugin)
if(NOT EXISTS "${pc_plugin}")
  message(FATAL_ERROR "pkg-config's plugin variable '${pc_plugin}' is no file")
endif()
run_step("pkg-config" pkg-config --cflags --libs pipecorr)
string(STRIP "${step_output}" pc_flags)
separate_arguments(pc_flags UNIX_COMMAND "${pc_flags}")
separate_arguments(extra_flags UNIX_COMMAND "${C_FLAGS} ${LINK_FLAGS}")
get_filename_component(lib_dir ${plugin} DIRECTORY)
run_step("pkg-config consumer build" ${C_COMPILER} ${extra_flags}
  ${SOURCE_DIR}/tests/consumer/consumer.c ${pc_flags}
  -Wl,-rpath,${lib_dir} -o ${WORK_DIR}/consumer_pc)
run_step("pkg-config consumer run" ${WORK_DIR}/consumer_pc)
expect_catalogue("consumer built with pkg-config" "${step_output}")
message(STATUS "install, find_package and pkg-config consumers all work")
