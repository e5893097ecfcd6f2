// The inputs a well correlation refuses, and why. Checked before any
// arithmetic, so that no NaN, infinity or division by zero starts inside a
// correlation.
#pragma once

#include <string_view>

#include "wells/well_point.hpp"

namespace pipecorr::wells {

// Empty when the point can be computed; otherwise the reason (static
// text). Tested in this order:
//   "an input is not a finite number"
//   "superficial velocities must not be negative"
//   "superficial velocities must not both be zero"
//   "pipe diameter must be positive"
//   "pipe roughness must not be negative"
//   "pipe roughness must not exceed 5 % of the diameter"
//   "inclination must lie between -90 and 90 degrees"
//   "liquid density must be positive"
//   "gas density must not be negative"
//   "viscosities must not be negative"
//   "surface tension must not be negative"
//   "liquid viscosity must be positive"           (liquid flows)
//   "gas density must be positive"                (gas flows)
//   "gas viscosity must be positive"              (gas flows)
//   "gas density must be below the liquid density" (both flow)
//   "surface tension must be positive"            (both flow)
//   "pressure must be positive"  (gas flows and `pressure_used`)
// A property of a phase that does not flow is not used, so only its sign
// is checked.
[[nodiscard]] std::string_view screen_point(const WellPoint& p,
                                            bool pressure_used) noexcept;

// A result whose gradient or holdup is not a finite number in range never
// reaches a host: "pressure gradient is out of range", "liquid holdup is
// out of range".
[[nodiscard]] WellOutcome checked(const WellOutcome& out) noexcept;

}  // namespace pipecorr::wells
