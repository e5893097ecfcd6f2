// One point through one correlation (reports/point_report.hpp writes it
// for people or programs).
#pragma once

#include <cstdint>
#include <string>

#include "cases/example_point.hpp"
#include "plugin/correlation.hpp"
#include "plugin/flow_point.hpp"

namespace pipecorr::hostkit {

struct PointOptions {
  FlowInputs inputs = kExamplePoint;
  std::string correlation;  // empty: the first in the catalogue
};

struct PointOutcome {
  const Correlation* correlation = nullptr;  // the one called
  FlowResult result;
};

// Throws Error for inputs that are not finite or a correlation that cannot
// be called.
[[nodiscard]] PointOutcome run_point(const CorrelationSet& correlations,
                                     const PointOptions& options);

}  // namespace pipecorr::hostkit
