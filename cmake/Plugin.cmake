# pipecorr_add_plugin(NAME EXPORTS <def> SYMBOLS <version script>
#                     SOURCES <source>... LINK <layer>...)
#
# A plug-in a host loads: a shared library of the given sources (its export
# table) over the layers it links, exporting exactly the names of its
# module-definition file (Windows: undecorated, with fixed ordinals) or its
# version script (elsewhere). Every plug-in of this interface is built this
# way; libraries it loads (the engine) are found beside it.
#
# Each one is bundled: a user gets it, and the host side loads it when not
# told which plug-ins to load. The test plug-ins are plain shared libraries
# and not among them. pipecorr_bundled_plugins() gives the list once every
# directory has been read (from a deferred call, see hostkit/plugin).
function(pipecorr_add_plugin name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "EXPORTS;SYMBOLS" "SOURCES;LINK")
  add_library(${name} SHARED ${arg_SOURCES})
  set_property(GLOBAL APPEND PROPERTY PIPECORR_BUNDLED_PLUGINS ${name})
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

# pipecorr_bundled_plugins(<variable>): the targets of the bundled plug-ins,
# pipecorr's own first, the others in the order they were added.
function(pipecorr_bundled_plugins variable)
  get_property(plugins GLOBAL PROPERTY PIPECORR_BUNDLED_PLUGINS)
  if(pipecorr IN_LIST plugins)
    list(REMOVE_ITEM plugins pipecorr)
    list(PREPEND plugins pipecorr)
  endif()
  set(${variable} ${plugins} PARENT_SCOPE)
endfunction()
