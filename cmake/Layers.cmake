# pipecorr_layer(TARGET): makes the current folder a layer of the plug-in.
#
# A layer's headers are included as "<folder>/name.hpp". Each layer gets an
# include root of its own that holds nothing but a link to its folder, and
# only the targets that link the layer see that root. So a core that
# includes a header of a layer above it (or one it does not link) fails to
# compile: the build, not a convention, keeps the direction.
function(pipecorr_layer target)
  get_filename_component(folder ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  set(root ${PROJECT_BINARY_DIR}/layers/${folder})
  file(MAKE_DIRECTORY ${root})
  if(NOT EXISTS ${root}/${folder})
    file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${root}/${folder} SYMBOLIC)
  endif()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${root})
  else()
    target_include_directories(${target} PUBLIC ${root})
  endif()
endfunction()
