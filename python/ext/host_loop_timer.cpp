// hostkit's own loop over the same points, timed in C++: the per-point
// cost the Python binding is measured against (python/bench).
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <chrono>
#include <vector>

#include "bindings.hpp"
#include "plugin_handle.hpp"

namespace py = pybind11;

namespace pipecorr::python {
namespace {

using Column = py::array_t<double, py::array::c_style | py::array::forcecast>;

// Seconds for `repeats` passes of FlowInputs -> Correlation::call over the
// points (each column 1-D with `count` elements), inside one run; the best
// pass counts, as a benchmark reports it.
double time_host_loop(PluginHandle& handle, const std::string& name,
                      const std::vector<Column>& columns, std::size_t count,
                      int repeats) {
  if (columns.size() != hostkit::kInputCount) {
    throw py::value_error("the 11 inputs are needed");
  }
  for (const auto& column : columns) {
    if (column.ndim() != 1 ||
        static_cast<std::size_t>(column.size()) != count) {
      throw py::value_error("every input needs one value per point");
    }
  }
  std::vector<hostkit::FlowInputs> points(count);
  for (std::size_t i = 0; i < count; ++i) {
    auto fields = points[i].fields();
    for (std::size_t k = 0; k < hostkit::kInputCount; ++k) {
      *fields[k] = columns[k].data()[i];
    }
  }
  const hostkit::Correlation& correlation = handle.correlation(name);
  py::gil_scoped_release unlocked;
  const PluginCallLock lock;
  const hostkit::RunSession run(handle.library());
  double best = 0.0;
  hostkit::FlowResult result;
  double sink = 0.0;
  for (int pass = 0; pass < repeats; ++pass) {
    const auto start = std::chrono::steady_clock::now();
    for (const auto& point : points) {
      correlation.call(point, result);
      sink += result.dp;
    }
    const std::chrono::duration<double> took =
        std::chrono::steady_clock::now() - start;
    if (pass == 0 || took.count() < best) best = took.count();
  }
  // Keeps the calls from being optimised away.
  if (sink == -1.0) throw py::value_error("unreachable sum");
  return best;
}

}  // namespace

void register_host_loop_timer(py::module_& module) {
  module.def("_time_host_loop", &time_host_loop, py::arg("handle"),
             py::arg("name"), py::arg("columns"), py::arg("count"),
             py::arg("repeats"));
}

}  // namespace pipecorr::python
