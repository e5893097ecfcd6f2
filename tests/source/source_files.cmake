# pipecorr_source_files(VAR ROOT FOLDERS): every C and C++ source and header
# under the comma-separated FOLDERS of ROOT, sorted.
function(pipecorr_source_files var root folders)
  string(REPLACE "," ";" folders "${folders}")
  set(patterns "")
  foreach(folder IN LISTS folders)
    foreach(ext IN ITEMS c cc cpp cxx h hh hpp hxx)
      list(APPEND patterns "${root}/${folder}/*.${ext}")
    endforeach()
  endforeach()
  file(GLOB_RECURSE files ${patterns})
  list(SORT files)
  set(${var} "${files}" PARENT_SCOPE)
endfunction()
