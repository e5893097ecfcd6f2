# Checks a built Windows DLL the way the host's loader sees it, from the
# output of objdump -p (export and import tables) and objdump -d (the code at
# each export):
#
#   cmake -DOBJDUMP=... -DDLL=... -DEXPORTS=name:ordinal:words,...
#         [-DSTDCALL=ON] [-DIMPORT_DLL=engine.dll -DIMPORT_NAMES=a,b]
#         [-DOPTIONAL_EXPORTS=a,b] [-DOTHER_EXPORT_WORDS=n]
#         [-DCHECK_IMPORTS=OFF] -P check_dll.cmake
#
# `pipecorr check --static` runs this script on a third-party DLL: its
# correlations are not known in advance, so OTHER_EXPORT_WORDS admits every
# export not in EXPORTS and expects it to remove that many words, names in
# OPTIONAL_EXPORTS may be missing, and CHECK_IMPORTS=OFF leaves its imports
# alone.
#
# EXPORTS lists every name the DLL must export, with its ordinal ("-" when
# the ordinal is free) and the number of 32-bit stack words it takes. With
# STDCALL each export must remove exactly those words on return (ret $n, a
# plain ret for none), as the host's stdcall calls expect. Imports: only the
# system DLLs below, plus IMPORT_NAMES imported by name from IMPORT_DLL.
cmake_minimum_required(VERSION 3.25)

# Lists may come comma-separated, since a CTest command line splits at ';'.
foreach(list_argument IN ITEMS EXPORTS IMPORT_NAMES OPTIONAL_EXPORTS)
  if(DEFINED ${list_argument})
    string(REPLACE "," ";" ${list_argument} "${${list_argument}}")
  endif()
endforeach()

foreach(required IN ITEMS OBJDUMP DLL EXPORTS)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "check_dll: ${required} not given")
  endif()
endforeach()

# DLLs every Windows installation has; anything else must ship beside the
# plug-in, and the only such DLL it may need is the engine library.
set(system_dlls kernel32.dll msvcrt.dll ntdll.dll user32.dll advapi32.dll
    ucrtbase.dll)

set(failures "")
macro(fail text)
  list(APPEND failures "${text}")
endmacro()

execute_process(COMMAND ${OBJDUMP} -p ${DLL}
  OUTPUT_VARIABLE headers ERROR_VARIABLE headers_error RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "check_dll: ${OBJDUMP} -p ${DLL} failed: ${headers_error}")
endif()
string(REPLACE ";" "\\;" headers "${headers}")
string(REPLACE "\n" ";" header_lines "${headers}")

# Walk the header dump once, collecting the export and import tables.
set(section "")
set(image_base "")
set(ordinal_base "")
set(export_names "")
set(import_dlls "")
foreach(line IN LISTS header_lines)
  if(line MATCHES "^ImageBase[ \t]+([0-9a-fA-F]+)")
    set(image_base "${CMAKE_MATCH_1}")
  elseif(line MATCHES "^Export Address Table -- Ordinal Base ([0-9]+)")
    set(section addresses)
    set(ordinal_base "${CMAKE_MATCH_1}")
  elseif(line MATCHES "^\\[Ordinal/Name Pointer\\] Table")
    set(section names)
  elseif(line MATCHES "^[ \t]*DLL Name: (.+)$")
    set(section imports)
    string(STRIP "${CMAKE_MATCH_1}" current_dll)
    string(TOLOWER "${current_dll}" current_dll)
    list(APPEND import_dlls "${current_dll}")
    set(imports_${current_dll} "")
  elseif(line STREQUAL "")
    set(section "")
  elseif(section STREQUAL "addresses" AND
         line MATCHES "^[ \t]*\\[ *[0-9]+\\] \\+base\\[ *([0-9]+)\\] +([0-9a-fA-F]+) Export RVA")
    set(rva_of_${CMAKE_MATCH_1} "${CMAKE_MATCH_2}")
  elseif(section STREQUAL "names" AND line MATCHES "^[ \t]*\\[ *([0-9]+)\\] ([^ \t]+)$")
    math(EXPR ordinal "${CMAKE_MATCH_1} + ${ordinal_base}")
    set(name "${CMAKE_MATCH_2}")
    list(APPEND export_names "${name}")
    set(ordinal_of_${name} "${ordinal}")
  elseif(section STREQUAL "imports" AND line MATCHES "^\t[0-9a-fA-F]+\t")
    # "\tvma\thint  name" for an import by name; anything else (an import
    # by ordinal) is kept whole so that it fails the comparison below.
    if(line MATCHES "^\t[0-9a-fA-F]+\t *[0-9]+  ([^ \t]+)$")
      list(APPEND imports_${current_dll} "${CMAKE_MATCH_1}")
    else()
      string(STRIP "${line}" line)
      list(APPEND imports_${current_dll} "by-ordinal:${line}")
    endif()
  elseif(line MATCHES "^There is a|^The Export Tables|^PE File Base")
    set(section "")
  endif()
endforeach()

if(image_base STREQUAL "")
  fail("no ImageBase in the header dump")
endif()

# Exports: exactly the expected names, undecorated, at their ordinals.
set(expected_names "")
set(previous_name "")
set(previous_ordinal "")
foreach(entry IN LISTS EXPORTS)
  string(REPLACE ":" ";" fields "${entry}")
  list(GET fields 0 name)
  list(GET fields 1 ordinal)
  list(GET fields 2 words)
  list(APPEND expected_names "${name}")
  set(expected_ordinal_of_${name} "${ordinal}")
  set(words_of_${name} "${words}")
  # The fixed ordinals follow the alphabetical order of the names.
  if(NOT ordinal STREQUAL "-" AND NOT previous_ordinal STREQUAL "")
    math(EXPR next "${previous_ordinal} + 1")
    if(NOT name STRGREATER previous_name OR NOT ordinal EQUAL next)
      fail("expected exports are not in alphabetical order with consecutive ordinals at ${name}")
    endif()
  endif()
  set(previous_name "${name}")
  set(previous_ordinal "${ordinal}")
endforeach()

foreach(name IN LISTS export_names)
  if(NOT name IN_LIST expected_names)
    if(DEFINED OTHER_EXPORT_WORDS)
      list(APPEND expected_names "${name}")
      set(expected_ordinal_of_${name} "-")
      set(words_of_${name} "${OTHER_EXPORT_WORDS}")
    else()
      fail("unexpected export ${name}")
    endif()
  endif()
endforeach()
foreach(name IN LISTS expected_names)
  if(NOT name IN_LIST export_names)
    if(NOT name IN_LIST OPTIONAL_EXPORTS)
      fail("missing export ${name} (exported names: ${export_names})")
    endif()
    continue()
  endif()
  if(NOT expected_ordinal_of_${name} STREQUAL "-" AND
     NOT ordinal_of_${name} EQUAL expected_ordinal_of_${name})
    fail("export ${name} has ordinal ${ordinal_of_${name}}, expected ${expected_ordinal_of_${name}}")
  endif()
endforeach()

# Imports: system DLLs, and the engine routines by name.
if(DEFINED CHECK_IMPORTS AND NOT CHECK_IMPORTS)
  set(import_dlls "")
endif()
foreach(dll IN LISTS import_dlls)
  if(dll IN_LIST system_dlls)
    continue()
  endif()
  string(TOLOWER "${IMPORT_DLL}" allowed_dll)
  if(NOT dll STREQUAL allowed_dll OR allowed_dll STREQUAL "")
    fail("imports from ${dll}, which a host machine does not have")
    continue()
  endif()
  set(found "${imports_${dll}}")
  list(SORT found)
  set(wanted "${IMPORT_NAMES}")
  list(SORT wanted)
  if(NOT found STREQUAL wanted)
    fail("imports [${found}] from ${dll}, expected [${wanted}] by name")
  endif()
endforeach()
if(DEFINED IMPORT_DLL AND NOT IMPORT_DLL STREQUAL "")
  string(TOLOWER "${IMPORT_DLL}" allowed_dll)
  if(NOT allowed_dll IN_LIST import_dlls)
    fail("does not import from ${IMPORT_DLL}")
  endif()
endif()

# Stack words: every return in each export's code must pop its arguments.
if(STDCALL AND NOT image_base STREQUAL "")
  foreach(name IN LISTS expected_names)
    if(NOT DEFINED ordinal_of_${name})
      continue()
    endif()
    set(rva "${rva_of_${ordinal_of_${name}}}")
    math(EXPR start "0x${image_base} + 0x${rva}" OUTPUT_FORMAT HEXADECIMAL)
    math(EXPR stop "${start} + 0x4000" OUTPUT_FORMAT HEXADECIMAL)
    execute_process(
      COMMAND ${OBJDUMP} -d --no-show-raw-insn --start-address=${start}
              --stop-address=${stop} ${DLL}
      OUTPUT_VARIABLE code RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
      fail("cannot disassemble ${name} at ${start}")
      continue()
    endif()
    string(REPLACE ";" "\\;" code "${code}")
    string(REPLACE "\n" ";" code_lines "${code}")
    # The export's own code runs from its label to the next label.
    set(inside FALSE)
    set(returns "")
    set(tail_call FALSE)
    foreach(line IN LISTS code_lines)
      if(line MATCHES "^[0-9a-f]+ <.*>:$")
        if(inside)
          break()
        endif()
        set(inside TRUE)
      elseif(inside AND line MATCHES "^[ \t]*[0-9a-f]+:[ \t]+ret[lw]?[ \t]*(\\$0x[0-9a-f]+)?[ \t]*$")
        if(CMAKE_MATCH_1 STREQUAL "")
          list(APPEND returns "ret")
        else()
          list(APPEND returns "ret ${CMAKE_MATCH_1}")
        endif()
      elseif(inside AND line MATCHES "^[ \t]*[0-9a-f]+:[ \t]+jmp[l]?[ \t]+[0-9a-f]+ <[^+>]+>[ \t]*$")
        # A jump to the start of another function: perhaps a tail call,
        # whose callee's return ends this export.
        set(tail_call TRUE)
      endif()
    endforeach()
    math(EXPR bytes "${words_of_${name}} * 4" OUTPUT_FORMAT HEXADECIMAL)
    if(words_of_${name} EQUAL 0)
      set(wanted "ret")
    else()
      set(wanted "ret $${bytes}")
    endif()
    # An export without arguments may end in a tail call: its callee's
    # plain return is then the right one. With arguments to pop, a return
    # of the export's own must be there.
    if(returns STREQUAL "" AND tail_call AND words_of_${name} EQUAL 0)
      set(returns "ret (by tail call)")
      set(wanted "ret (by tail call)")
    endif()
    if(returns STREQUAL "")
      fail("${name}: no return instruction found in its code")
    endif()
    foreach(found IN LISTS returns)
      if(NOT found STREQUAL wanted)
        fail("${name} returns with '${found}', expected '${wanted}' (${words_of_${name}} stack words)")
      endif()
    endforeach()
    list(REMOVE_DUPLICATES returns)
    message(STATUS "${name}: ordinal ${ordinal_of_${name}}, returns with ${returns}")
  endforeach()
endif()

if(failures)
  list(JOIN failures "\n  " text)
  message(FATAL_ERROR "${DLL}:\n  ${text}")
endif()
message(STATUS "${DLL}: exports [${export_names}], imports [${import_dlls}]: as expected")
