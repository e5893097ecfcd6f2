// The flow-pattern map as a picture for a report: regions coloured by
// pattern with their boundaries drawn, a legend with pattern names, log
// axes with decades and units, and the inputs in a caption.
#pragma once

#include <string>

#include "studies/flow_map.hpp"

namespace pipecorr::hostkit {

[[nodiscard]] std::string render_flow_map_svg(const FlowMap& map);

}  // namespace pipecorr::hostkit
