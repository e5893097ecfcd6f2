# pipecorr_add_plugin(NAME EXPORTS <def> SYMBOLS <version script>
#                     SOURCES <source>... LINK <layer>...)
#
# A plug-in a host loads: a shared library of the given sources (its export
# table) over the layers it links, exporting exactly the names of its
# module-definition file (Windows: undecorated, with fixed ordinals) or its
# version script (elsewhere). Every plug-in of this interface is built this
# way; libraries it loads (the engine) are found beside it.
function(pipecorr_add_plugin name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "EXPORTS;SYMBOLS" "SOURCES;LINK")
  add_library(${name} SHARED ${arg_SOURCES})
  target_link_libraries(${name} PRIVATE ${arg_LINK})
  set_target_properties(${name} PROPERTIES BUILD_RPATH "$ORIGIN"
                                           INSTALL_RPATH "$ORIGIN")
  target_include_directories(${name} PUBLIC
    $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/include>
    $<INSTALL_INTERFACE:include>)
  if(WIN32)
    set_target_properties(${name} PROPERTIES PREFIX "")
    target_sources(${name} PRIVATE ${arg_EXPORTS})
    pipecorr_stdcall_import_library(${name})
  else()
    set_target_properties(${name} PROPERTIES PREFIX "lib")
    target_link_options(${name} PRIVATE
      -Wl,--version-script=${CMAKE_CURRENT_SOURCE_DIR}/${arg_SYMBOLS}
      -Wl,--no-undefined)
    set_target_properties(${name} PROPERTIES
      LINK_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${arg_SYMBOLS})
  endif()
endfunction()
