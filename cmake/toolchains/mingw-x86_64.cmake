# 64-bit Windows DLL, cross-compiled with MinGW-w64. Its programs run under
# wine, so the tests see the Windows C runtime's file behaviour for real.
set(PIPECORR_MINGW_TRIPLE x86_64-w64-mingw32)
set(PIPECORR_MINGW_PACKAGE g++-mingw-w64-x86-64-posix)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)

# Each build directory gets its own wine prefix, so test runs never touch
# the user's ~/.wine and two build trees never share one.
find_program(PIPECORR_WINE64 wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
find_program(PIPECORR_WINE64 wine64)
if(NOT PIPECORR_WINE64)
  message(FATAL_ERROR "wine64 not found: install the Debian package wine64")
endif()
set(CMAKE_CROSSCOMPILING_EMULATOR
    ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh ${PIPECORR_WINE64}
    ${CMAKE_BINARY_DIR}/wineprefix)
