# Options every target of the project is built with: warnings as errors and
# the floating-point model the results depend on.
add_library(pipecorr_options INTERFACE)

target_compile_options(pipecorr_options INTERFACE
  -Wall -Wextra -Wpedantic -Wconversion -Wsign-conversion -Wshadow
  -Wdouble-promotion -Wcast-qual -Werror
  $<$<COMPILE_LANGUAGE:CXX>:-Wold-style-cast -Wnon-virtual-dtor>
  # Every formula is rounded exactly where it is written: no fused
  # multiply-add, no reassociation.
  -ffp-contract=off)

# 32-bit x86: SSE2 arithmetic, so that a float or double result is rounded
# exactly as on x86-64 instead of carrying x87 extended precision.
if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(i[3-6]86|x86)$")
  target_compile_options(pipecorr_options INTERFACE -msse2 -mfpmath=sse)
endif()
