# 32-bit MinGW DLLs with stdcall exports under plain names (BB_2, TWPC20):
# the DLL is right, but the import library the linker writes for it knows
# only the plain names, while every caller compiled against the header asks
# for the decorated ones (_BB_2@76). pipecorr_stdcall_import_library(target)
# rewrites the target's import library after each link so that it maps each
# decorated name to the plain export, as a host's GetProcAddress sees it.
#
# The same file runs as a script (cmake -P) for that post-link step:
#   -DOBJDUMP= -DDLLTOOL= -DDLL=<the DLL> -DIMPLIB=<its import library>

if(CMAKE_SCRIPT_MODE_FILE)
  execute_process(COMMAND ${OBJDUMP} -p ${DLL} OUTPUT_VARIABLE headers
                  RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "cannot read the export table of ${DLL}")
  endif()
  execute_process(COMMAND ${OBJDUMP} -t ${DLL} OUTPUT_VARIABLE symbols
                  RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "cannot read the symbol table of ${DLL}")
  endif()

  string(REGEX MATCH "Ordinal Base ([0-9]+)" unused "${headers}")
  set(base "${CMAKE_MATCH_1}")
  string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table\n([^\n]+\n)+" names
         "${headers}")
  string(REPLACE "\n" ";" name_lines "${names}")
  get_filename_component(dll_name "${DLL}" NAME)
  set(def "LIBRARY ${dll_name}\nEXPORTS\n")
  foreach(line IN LISTS name_lines)
    if(line MATCHES "^[ \t]*\\[ *([0-9]+)\\] ([^ \t]+)$")
      math(EXPR ordinal "${CMAKE_MATCH_1} + ${base}")
      set(name "${CMAKE_MATCH_2}")
      # The decorated definition behind the plain export, if stdcall.
      if(symbols MATCHES " _${name}(@[0-9]+)\n")
        string(APPEND def "  ${name}${CMAKE_MATCH_1} @${ordinal}\n")
      else()
        string(APPEND def "  ${name} @${ordinal}\n")
      endif()
    endif()
  endforeach()
  file(WRITE "${IMPLIB}.def" "${def}")
  execute_process(
    COMMAND ${DLLTOOL} --kill-at -d ${IMPLIB}.def -D ${dll_name} -l ${IMPLIB}
    RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${DLLTOOL} could not write ${IMPLIB}")
  endif()
  return()
endif()

function(pipecorr_stdcall_import_library target)
  if(NOT (MINGW AND CMAKE_SIZEOF_VOID_P EQUAL 4))
    return()
  endif()
  foreach(tool IN ITEMS objdump dlltool)
    string(TOUPPER "${tool}" variable)
    if(NOT PIPECORR_${variable})
      find_program(PIPECORR_${variable} NAMES ${PIPECORR_MINGW_TRIPLE}-${tool}
                   i686-w64-mingw32-${tool} REQUIRED)
    endif()
  endforeach()
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${PIPECORR_OBJDUMP}
            -DDLLTOOL=${PIPECORR_DLLTOOL} -DDLL=$<TARGET_FILE:${target}>
            -DIMPLIB=$<TARGET_LINKER_FILE:${target}>
            -P ${CMAKE_CURRENT_FUNCTION_LIST_FILE}
    VERBATIM)
endfunction()
