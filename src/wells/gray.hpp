// GRAY_3: Gray's correlation for gas wells producing condensate or water
// (H. E. Gray, "Vertical Flow Correlation in Gas Wells", in API Manual
// 14B, 1974). One pattern (25, PIPECORR_PATTERN_GRAY). In consistent (SI)
// units:
//   N1 = rho_n^2 vm^4 / (g sigma (rho_L - rho_g))     velocity number
//   N2 = g d^2 (rho_L - rho_g) / sigma                 diameter number
//   R  = usl / usg                                     superficial ratio
//   N3 = 0.0814 (1 - 0.0554 ln(1 + 730 R/(R + 1)))
//   H_L = 1 - (1 - lambda_L)(1 - exp(-2.314 (N1 (1 + 205/N2))^N3))
// The friction uses the pseudo-roughness of the liquid film,
//   r_o = 28.5 sigma / (rho_n vm^2),
// eps_e = r_o for R >= 0.007, eps + R (r_o - eps)/0.007 below, and at
// least 2.77e-5 ft; it is held at most 0.5 d (beyond the Moody chart's
// range the factor would lose its meaning). The Moody factor at
// Re = rho_n vm d / mu_n (mu_n the no-slip viscosity) on eps_e gives the
// friction f rho_n vm^2 / (2 d); the elevation is rho_s g sin(fi).
//
// Validity (Gray's data): vm up to 50 ft/s, tubing up to 3.5 in, condensate
// to 50 bbl/MMscf, water to 5 bbl/MMscf. Outside it the correlation still
// answers; it is only less trustworthy. The pressure is not read.
//
// Inclination, single-phase points and zero flow as HB_3: the vertical
// holdup everywhere, elevation rho g sin(fi); codes 17 and 18; both
// velocities zero a failure. Both single-phase limits are steps: as the
// gas vanishes the friction keeps the film's pseudo-roughness r_o, and as
// the liquid vanishes the holdup tends to exp(fE) (small in a gas well,
// not 0).
#pragma once

#include "wells/well_point.hpp"

namespace pipecorr::wells {

[[nodiscard]] WellOutcome gray(const WellPoint& pt) noexcept;

}  // namespace pipecorr::wells
