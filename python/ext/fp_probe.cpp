// The processor's floating-point control and status as Python cannot see
// them. numpy clears and reads the flags around its own operations, so only
// a direct read shows whether a plug-in call left a mode or a flag behind.
#include <pybind11/pybind11.h>

#include <cstdint>

#include "bindings.hpp"

#if defined(__x86_64__) || defined(__i386__)
#include <xmmintrin.h>
#define PIPECORR_X86 1
#endif

namespace py = pybind11;

namespace pipecorr::python {
namespace {

#if defined(PIPECORR_X86)
std::uint16_t x87_control() {
  std::uint16_t word = 0;
  __asm__ volatile("fnstcw %0" : "=m"(word));
  return word;
}
#endif

// (MXCSR, x87 control word), or None where there is no such register.
py::object fp_state() {
#if defined(PIPECORR_X86)
  return py::make_tuple(_mm_getcsr(), x87_control());
#else
  return py::none();
#endif
}

// Puts `mxcsr` in force, calls `function`, reads the state it leaves, and
// puts the previous MXCSR back before returning (the state read, the
// function's result). A host's traps, rounding mode and raised flags can
// so be tried without the interpreter running under them for long.
py::object fp_around(unsigned mxcsr, const py::function& function) {
#if defined(PIPECORR_X86)
  const unsigned saved = _mm_getcsr();
  py::object result;
  unsigned after = 0;
  try {
    _mm_setcsr(mxcsr);
    result = function();
    after = _mm_getcsr();
    _mm_setcsr(saved);
  } catch (...) {
    _mm_setcsr(saved);
    throw;
  }
  return py::make_tuple(py::make_tuple(after, x87_control()), result);
#else
  static_cast<void>(mxcsr);
  static_cast<void>(function);
  return py::none();
#endif
}

}  // namespace

void register_fp_probe(py::module_& module) {
  module.def("_fp_state", &fp_state);
  module.def("_fp_around", &fp_around, py::arg("mxcsr"), py::arg("function"));
}

}  // namespace pipecorr::python
