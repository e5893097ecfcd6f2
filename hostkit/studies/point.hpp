// One point through one correlation, reported for people or (as JSON) for
// programs.
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
  bool json = false;
};

struct PointOutcome {
  FlowResult result;
  std::string report;  // text or one JSON object, ending in a line break
};

// Throws Error for inputs that are not finite or a correlation that cannot
// be called.
[[nodiscard]] PointOutcome run_point(const CorrelationSet& correlations,
                                     const PointOptions& options);

[[nodiscard]] std::string format_point_text(const Correlation& correlation,
                                            const FlowInputs& inputs,
                                            const FlowResult& result);

[[nodiscard]] std::string format_point_json(const Correlation& correlation,
                                            const FlowInputs& inputs,
                                            const FlowResult& result);

}  // namespace pipecorr::hostkit
