// A point where only one phase flows (usg = 0 or usl = 0, not both): the
// gradient of that phase alone, pattern 17 (liquid only, holdup 1) or 18
// (gas only, holdup 0). Elevation rho g sin(fi), friction from the Moody
// factor at the phase's Reynolds number; no acceleration term (the host
// adds acceleration itself). Every well correlation answers such points
// with this one.
#pragma once

#include "wells/well_point.hpp"

namespace pipecorr::wells {

// For a screened point with exactly one phase flowing.
[[nodiscard]] WellOutcome single_phase(const WellPoint& p) noexcept;

}  // namespace pipecorr::wells
