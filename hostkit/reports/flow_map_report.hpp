// A flow-pattern map as CSV: one line per grid cell.
#pragma once

#include <string>

#include "studies/flow_map.hpp"

namespace pipecorr::hostkit {

// usl_m_per_s,usg_m_per_s,dp_Pa_per_m,holdup,id,pattern,ierr: one line a
// cell.
[[nodiscard]] std::string flow_map_csv(const FlowMap& map);

}  // namespace pipecorr::hostkit
