# 32-bit x86 Linux build: the same stdcall exports as the Windows DLL, run
# under qemu-i386 so the whole suite checks at run time that callers and
# callees agree on the convention and that the numbers match x86-64 bit for
# bit.
set(CMAKE_SYSTEM_NAME Linux)
# i686 selects SSE2 arithmetic in CompilerOptions.cmake.
set(CMAKE_SYSTEM_PROCESSOR i686)

find_program(PIPECORR_GXX g++)
find_program(PIPECORR_GCC gcc)
set(CMAKE_C_COMPILER ${PIPECORR_GCC})
set(CMAKE_CXX_COMPILER ${PIPECORR_GXX})
set(CMAKE_C_FLAGS_INIT "-m32")
set(CMAKE_CXX_FLAGS_INIT "-m32")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-m32")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-m32")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-m32")

file(GLOB pipecorr_multilib_runtime /usr/lib/gcc/x86_64-linux-gnu/*/32/libstdc++.so)
if(NOT pipecorr_multilib_runtime)
  message(FATAL_ERROR
    "no 32-bit C++ runtime found: install the Debian package g++-multilib")
endif()

# Never link a 64-bit library into the 32-bit build: without its i386
# package an optional dependency is simply not found.
set(CMAKE_LIBRARY_ARCHITECTURE i386-linux-gnu)
set(CMAKE_IGNORE_PATH /usr/lib/x86_64-linux-gnu /lib/x86_64-linux-gnu
    /usr/lib64 /lib64)
set(ENV{PKG_CONFIG_LIBDIR} /usr/lib/i386-linux-gnu/pkgconfig:/usr/lib32/pkgconfig)

find_program(PIPECORR_QEMU_I386 qemu-i386)
if(NOT PIPECORR_QEMU_I386)
  message(FATAL_ERROR "qemu-i386 not found: install the Debian package qemu-user")
endif()
set(CMAKE_CROSSCOMPILING_EMULATOR ${PIPECORR_QEMU_I386})
