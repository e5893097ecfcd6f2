// `pipecorr calc`: one point through one correlation, for people or (with
// --json) for programs.
#pragma once

#include <string>

#include "plugin/correlation.hpp"
#include "plugin/flow_point.hpp"

namespace pipecorr::hostkit {

[[nodiscard]] std::string format_point_text(const Correlation& correlation,
                                            const FlowInputs& inputs,
                                            const FlowResult& result);

[[nodiscard]] std::string format_point_json(const Correlation& correlation,
                                            const FlowInputs& inputs,
                                            const FlowResult& result);

// Pa/m to the bar/km engineers quote.
[[nodiscard]] constexpr double bar_per_km(double pascal_per_metre) {
  return pascal_per_metre / 100.0;
}

}  // namespace pipecorr::hostkit
