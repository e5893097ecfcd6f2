// The calculation loop behind Plugin.calc: every point of a set of input
// columns through one correlation, on one thread or split across several.
// It knows nothing of Python; the binding hands it plain memory.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
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

// Calls the correlation once per point, in index order within each of
// `threads` contiguous slices (at least one point each). The caller decides
// whether the correlation may run on several threads at once; results do
// not depend on the split. Failures come back in index order. If the
// system refuses a thread, its slice runs on the calling thread instead.
[[nodiscard]] std::vector<PointFailure> run_points(
    const hostkit::Correlation& correlation, const InputColumns& inputs,
    std::size_t count, const OutputColumns& outputs, unsigned threads);

}  // namespace pipecorr::python
