# 32-bit Windows DLL (the host's own platform), cross-compiled with MinGW-w64.
# Its programs cannot run on an x86-64 Linux machine, so its tests are the
# static checks of the built DLLs (label "dll").
set(PIPECORR_MINGW_TRIPLE i686-w64-mingw32)
set(PIPECORR_MINGW_PACKAGE g++-mingw-w64-i686-posix)
# i686 selects SSE2 arithmetic in CompilerOptions.cmake.
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)

# The exports are stdcall, so the compiler names them _BB_2@76 and so on,
# while the host resolves the plain names that pipecorr.def lists. Stdcall
# fix-up binds each plain name to its decorated definition, without a
# warning per name. (Import libraries: see StdcallImportLibrary.cmake.)
string(APPEND CMAKE_SHARED_LINKER_FLAGS_INIT " -Wl,--enable-stdcall-fixup")
