// Quantities every well correlation derives from a point the same way:
// gravity, the sine of the inclination and the no-slip mixture.
#pragma once

#include "wells/well_point.hpp"

namespace pipecorr::wells {

// Standard gravity, m/s2 (32.174 ft/s2 of the field-unit correlations).
inline constexpr double kGravity = 9.80665;
inline constexpr double kPi = 3.14159265358979323846;

// sin(fi) for fi in degrees from horizontal. 0, 90 and -90 degrees give
// exactly 0, 1 and -1, so horizontal and vertical points carry no rounding
// of pi into their elevation terms on any target.
[[nodiscard]] double inclination_sine(double fi_degrees) noexcept;

// The two phases mixed without slip.
struct NoSlip {
  double vm = 0.0;        // mixture velocity usl + usg, m/s
  double lambda_l = 0.0;  // liquid fraction of the inflow usl / vm
  double rho = 0.0;       // no-slip density, kg/m3
  double mu = 0.0;        // no-slip viscosity, Pa s
};

// For vm > 0.
[[nodiscard]] NoSlip no_slip(const WellPoint& p) noexcept;

}  // namespace pipecorr::wells
