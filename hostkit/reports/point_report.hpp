// One point's inputs and result, for people (a small table) or for
// programs (one JSON object), each ending in a line break.
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

}  // namespace pipecorr::hostkit
