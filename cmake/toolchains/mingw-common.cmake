# Shared part of the Windows toolchains. The including file sets
# PIPECORR_MINGW_TRIPLE and PIPECORR_MINGW_PACKAGE first.
set(CMAKE_SYSTEM_NAME Windows)

# The Debian POSIX-threads variants of the compilers; the plain names may be
# switched to the win32-threads variant by update-alternatives.
foreach(tool IN ITEMS gcc g++)
  find_program(PIPECORR_MINGW_${tool} ${PIPECORR_MINGW_TRIPLE}-${tool}-posix)
  if(NOT PIPECORR_MINGW_${tool})
    message(FATAL_ERROR
      "${PIPECORR_MINGW_TRIPLE}-${tool}-posix not found: "
      "install the Debian package ${PIPECORR_MINGW_PACKAGE}")
  endif()
endforeach()
set(CMAKE_C_COMPILER ${PIPECORR_MINGW_gcc})
set(CMAKE_CXX_COMPILER ${PIPECORR_MINGW_g++})
set(CMAKE_RC_COMPILER ${PIPECORR_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${PIPECORR_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# A host machine has only the system DLLs: the C and C++ runtimes and the
# threads library the POSIX variant pulls in must live inside each DLL and
# program, or they fail to load wherever the MinGW DLLs are not beside them.
set(pipecorr_static_runtime "-static -static-libgcc -static-libstdc++")
set(CMAKE_EXE_LINKER_FLAGS_INIT "${pipecorr_static_runtime}")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "${pipecorr_static_runtime}")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "${pipecorr_static_runtime}")

set(PIPECORR_OBJDUMP ${PIPECORR_MINGW_TRIPLE}-objdump)
set(PIPECORR_DLLTOOL ${PIPECORR_MINGW_TRIPLE}-dlltool)
