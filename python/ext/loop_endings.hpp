// How a calc loop that ended early reaches Python: Ctrl-C (or any signal
// whose Python handler raises) noticed while the points are computed, and
// an exception met on any of the loop's threads.
#pragma once

#include <pybind11/pybind11.h>

#include <cstddef>
#include <optional>
#include <string_view>

#include "point_loop.hpp"

namespace pipecorr::python {

// The stop question of one loop: runs Python's signal handlers when asked.
// Only the main thread receives signals, so on any other thread it asks
// nothing and takes no interpreter lock.
class SignalWatch {
 public:
  SignalWatch();  // with the interpreter lock held
  // The question refers to this object.
  SignalWatch(const SignalWatch&) = delete;
  SignalWatch& operator=(const SignalWatch&) = delete;

  // For run_points; asked with the interpreter lock released.
  [[nodiscard]] const StopQuestion& question() const { return question_; }

  // Raises what a handler raised (KeyboardInterrupt for Ctrl-C), if it did.
  // With the interpreter lock held.
  void raise_if_caught();

 private:
  std::optional<pybind11::error_already_set> caught_;
  StopQuestion question_;
};

// Raises the loop's first exception as Python sees it on one thread
// (MemoryError, RuntimeError, pipecorr.Error ...), with notes naming the
// point it was met at and how many other threads met one.
[[noreturn]] void raise_loop_exception(const PointLoopOutcome& outcome,
                                       std::string_view correlation,
                                       std::size_t count);

}  // namespace pipecorr::python
