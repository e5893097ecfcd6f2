// The extension module pipecorr._core: hostkit's plug-in host for Python.
// The pure-Python layer (pipecorr/__init__.py and friends) checks and
// broadcasts arguments and documents the API; this module does the work.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <memory>
#include <string>
#include <vector>

#include "bindings.hpp"
#include "loop_endings.hpp"
#include "plugin_handle.hpp"
#include "py_text.hpp"

namespace py = pybind11;

namespace pipecorr::python {
namespace {

using InputArray =
    py::array_t<double, py::array::c_style | py::array::forcecast>;

py::list catalogue_of(const PluginHandle& handle) {
  std::vector<hostkit::CatalogueEntry> entries;
  {
    py::gil_scoped_release unlocked;
    entries = handle.catalogue();
  }
  py::list rows;
  for (const auto& entry : entries) {
    rows.append(py::make_tuple(to_python_text(entry.name), entry.type,
                               to_python_text(entry.description),
                               entry.link_info));
  }
  return rows;
}

py::object identification_of(const PluginHandle& handle, bool interface) {
  std::optional<std::vector<std::string>> lines;
  {
    py::gil_scoped_release unlocked;
    lines = handle.identification(
        interface ? hostkit::IdentificationVariant::kInterface
                  : hostkit::IdentificationVariant::kVersion);
  }
  if (!lines) return py::none();
  py::list result;
  for (const auto& line : *lines) result.append(to_python_text(line));
  return result;
}

// inputs: the eleven inputs in argument order, each 1-D with 1 or `count`
// elements (the Python layer has broadcast them). Returns dp, holdup,
// pattern, ierr, the indices of failed points, their messages and the
// number of threads used.
py::tuple calc(PluginHandle& handle, const std::string& name,
               const std::vector<InputArray>& inputs, std::size_t count,
               unsigned threads, bool reentrant) {
  if (inputs.size() != hostkit::kInputCount) {
    throw py::value_error("calc needs the 11 inputs of the interface");
  }
  InputColumns columns;
  for (std::size_t k = 0; k < hostkit::kInputCount; ++k) {
    const auto& array = inputs[k];
    const auto size = static_cast<std::size_t>(array.size());
    if (array.ndim() != 1 || (size != 1 && size != count)) {
      throw py::value_error("input " + std::string(hostkit::kInputNames[k]) +
                            " has " + std::to_string(size) +
                            " elements; expected 1 or " +
                            std::to_string(count));
    }
    columns[k] = {array.data(), size == 1 ? 0U : 1U};
  }
  const auto n = static_cast<py::ssize_t>(count);
  py::array_t<double> dp(n);
  py::array_t<double> holdup(n);
  py::array_t<std::int32_t> pattern(n);
  py::array_t<std::int32_t> ierr(n);
  const OutputColumns outputs{dp.mutable_data(), holdup.mutable_data(),
                              pattern.mutable_data(), ierr.mutable_data()};
  SignalWatch watch;
  CalcOutcome outcome;
  {
    py::gil_scoped_release unlocked;
    outcome = handle.calc(name, columns, count, outputs, threads, reentrant,
                          watch.question());
  }
  // Ctrl-C wins over an exception met meanwhile: the user asked to stop.
  watch.raise_if_caught();
  if (outcome.loop.exception) raise_loop_exception(outcome.loop, name, count);
  const auto& failures = outcome.loop.failures;
  py::array_t<py::ssize_t> failed(static_cast<py::ssize_t>(failures.size()));
  py::list messages;
  auto* index = failed.mutable_data();
  for (const auto& failure : failures) {
    *index++ = static_cast<py::ssize_t>(failure.index);
    messages.append(to_python_text(failure.message));
  }
  return py::make_tuple(dp, holdup, pattern, ierr, failed, messages,
                        outcome.threads);
}

// A handle closes its library under the plug-in lock, which a calc on
// another thread holds while it waits for the interpreter lock to look for
// Ctrl-C: the interpreter lock is let go while a handle is deleted.
struct ReleasingDelete {
  void operator()(PluginHandle* handle) const {
    if (PyGILState_Check() == 0) {
      delete handle;
      return;
    }
    const py::gil_scoped_release unlocked;
    delete handle;
  }
};
using HandleHolder = std::unique_ptr<PluginHandle, ReleasingDelete>;

void register_errors(py::module_& m) {
  static py::exception<hostkit::Error> error(m, "Error", PyExc_RuntimeError);
  // Tried in reverse order of registration: the specific ones first.
  py::register_exception_translator([](std::exception_ptr thrown) {
    try {
      if (thrown) std::rethrow_exception(thrown);
    } catch (const hostkit::Error& e) {
      error(e.what());
    }
  });
  py::register_exception_translator([](std::exception_ptr thrown) {
    try {
      if (thrown) std::rethrow_exception(thrown);
    } catch (const hostkit::UnknownCorrelation& e) {
      PyErr_SetString(PyExc_KeyError, e.what());
    } catch (const SessionOrder& e) {
      PyErr_SetString(PyExc_RuntimeError, e.what());
    }
  });
}

}  // namespace
}  // namespace pipecorr::python

PYBIND11_MODULE(_core, m) {
  using pipecorr::python::HandleHolder;
  using pipecorr::python::PluginHandle;
  m.doc() = "hostkit's correlation plug-in host (see the pipecorr package)";
  pipecorr::python::register_errors(m);
  py::class_<PluginHandle, HandleHolder>(m, "PluginHandle")
      .def(py::init([](const std::string& path) {
             py::gil_scoped_release unlocked;
             return HandleHolder(new PluginHandle(path));
           }),
           py::arg("path"))
      .def_property_readonly(
          "path", [](const PluginHandle& h) { return h.path().string(); })
      .def("catalogue", &pipecorr::python::catalogue_of)
      .def("identification", &pipecorr::python::identification_of,
           py::arg("interface"))
      .def("resolve", &PluginHandle::resolve, py::arg("name"))
      .def("begin_session", &PluginHandle::begin_session, py::arg("log"),
           py::call_guard<py::gil_scoped_release>())
      .def("end_session", &PluginHandle::end_session,
           py::call_guard<py::gil_scoped_release>())
      // Both wait for the plug-in lock, so they release the interpreter's.
      .def_property_readonly(
          "in_session",
          py::cpp_function([](const PluginHandle& h) { return h.in_session(); },
                           py::call_guard<py::gil_scoped_release>()))
      .def_property_readonly(
          "logging",
          py::cpp_function([](const PluginHandle& h) { return h.logging(); },
                           py::call_guard<py::gil_scoped_release>()))
      .def("calc", &pipecorr::python::calc, py::arg("name"), py::arg("inputs"),
           py::arg("count"), py::arg("threads"), py::arg("reentrant"));
  pipecorr::python::register_loop_endings(m);
  pipecorr::python::register_fp_probe(m);
  pipecorr::python::register_host_loop_timer(m);
  pipecorr::python::register_well_jobs(m);
}
