#include "loop_endings.hpp"

#include <exception>
#include <stdexcept>
#include <string>

#include "bindings.hpp"

namespace py = pybind11;

namespace pipecorr::python {
namespace {

// Set when the module is imported: the first calc may come from any
// thread, and importing then could wait for a thread that waits for it.
unsigned long main_thread = 0;

void add_note(const py::error_already_set& raised, const std::string& note) {
  // Notes are shown under the message from Python 3.11 on.
  const py::object& value = raised.value();
  if (py::hasattr(value, "add_note")) value.attr("add_note")(note);
}

}  // namespace

SignalWatch::SignalWatch() {
  if (PyThread_get_thread_ident() != main_thread) return;
  question_ = [this] {
    const py::gil_scoped_acquire held;
    if (PyErr_CheckSignals() == 0) return false;
    caught_.emplace();  // takes the error the handler raised
    return true;
  };
}

void SignalWatch::raise_if_caught() {
  if (caught_) throw *caught_;
}

void register_loop_endings(py::module_&) {
  main_thread = py::module_::import("threading")
                    .attr("main_thread")()
                    .attr("ident")
                    .cast<unsigned long>();
}

void raise_loop_exception(const PointLoopOutcome& outcome,
                          std::string_view correlation, std::size_t count) {
  // Calling a function that rethrows lets pybind11 translate the exception
  // exactly as when one thread meets it, before the notes are added.
  const std::exception_ptr exception = outcome.exception;
  const std::string name(correlation);
  const auto rethrow = [exception, name] {
    try {
      std::rethrow_exception(exception);
    } catch (const std::exception&) {
      throw;
    } catch (...) {
      throw std::runtime_error(name +
                               " let an exception of no standard type out of "
                               "its entry");
    }
  };
  try {
    const py::cpp_function call(rethrow);
    call();
  } catch (const py::error_already_set& raised) {
    add_note(raised, "met while computing point " +
                         std::to_string(outcome.exception_point) + " of " +
                         std::to_string(count) + " with " + name);
    if (outcome.other_exceptions > 0) {
      add_note(raised,
               std::to_string(outcome.other_exceptions) + " more " +
                   (outcome.other_exceptions == 1 ? "thread" : "threads") +
                   " of the loop met an exception too");
    }
    throw;
  }
  throw std::logic_error("the loop's exception was not raised");
}

}  // namespace pipecorr::python
