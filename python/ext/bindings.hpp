// The parts of the extension module, each registered by its own file.
#pragma once

#include <pybind11/pybind11.h>

namespace pipecorr::python {

// _fp_state() and _fp_around(mxcsr, function): for the tests, which check
// that no call changes the interpreter's floating-point state.
void register_fp_probe(pybind11::module_& module);

// _time_host_loop(): hostkit's loop timed in C++, for the benchmark.
void register_host_loop_timer(pybind11::module_& module);

// Nothing callable: learns which thread is the interpreter's main one, the
// only one whose calc looks for Ctrl-C (loop_endings.hpp).
void register_loop_endings(pybind11::module_& module);

// traverse_case(), lift_case() and vfp_case(): the field traverse, lift
// curves and lift tables.
void register_well_jobs(pybind11::module_& module);

}  // namespace pipecorr::python
