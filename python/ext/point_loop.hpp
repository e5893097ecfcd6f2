// The calculation loop behind Plugin.calc: every point of a set of input
// columns through one correlation, on one thread or split across several.
// It knows nothing of Python; the binding hands it plain memory and a
// question to ask now and then (has the user asked to stop?).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "plugin/correlation.hpp"
#include "plugin/flow_point.hpp"

namespace pipecorr::python {

// One input in the interface's units (plugin/flow_point.hpp): either one
// value for every point (stride 0) or one value per point (stride 1).
struct InputColumn {
  const double* data = nullptr;
  std::size_t stride = 0;
};

using InputColumns = std::array<InputColumn, hostkit::kInputCount>;

// Where the results go, one element per point.
struct OutputColumns {
  double* dp = nullptr;      // Pa/m, positive when pressure falls
  double* holdup = nullptr;  // liquid fraction
  std::int32_t* pattern = nullptr;
  std::int32_t* ierr = nullptr;
};

// A point the correlation refused, with its message.
struct PointFailure {
  std::size_t index = 0;
  std::string message;
};

// Asked on the calling thread about every 10 ms of the loop, never on a
// worker; true stops every thread before its next block of
// points (a block lasts about a millisecond, or one call of a slow plug-in).
using StopQuestion = std::function<bool()>;

struct PointLoopOutcome {
  std::vector<PointFailure> failures;  // in index order
  // The loop ended early because the stop question said so.
  bool stopped = false;
  // The first exception a thread met (a plug-in that lets one out of its
  // entry, memory running out), the point it was met at, and how many
  // other threads met one before they stopped.
  std::exception_ptr exception;
  std::size_t exception_point = 0;
  std::size_t other_exceptions = 0;
};

// Calls the correlation once per point, in index order within each of
// `threads` contiguous slices (at least one point each). The caller decides
// whether the correlation may run on several threads at once; results do
// not depend on the split. If the system refuses a thread, its slice runs
// on the calling thread instead. An exception stops every thread before
// its next block and comes back in the outcome, whichever thread met it; the
// results of the points computed are then incomplete.
[[nodiscard]] PointLoopOutcome run_points(
    const hostkit::Correlation& correlation, const InputColumns& inputs,
    std::size_t count, const OutputColumns& outputs, unsigned threads,
    const StopQuestion& stop_asked = {});

}  // namespace pipecorr::python
