// DR_3: Duns & Ros (1963), as set out in Brill & Mukherjee, "Multiphase
// Flow in Wells", SPE Monograph 17 (1999), ch. 4. Patterns by the
// dimensionless gas velocity N_GV against N_LV:
//   bubble      N_GV < L1 + L2 N_LV                       (21)
//   slug        N_GV < 50 + 36 N_LV                       (22)
//   transition  N_GV < 75 + 84 N_LV^0.75                  (23)
//   mist        beyond                                    (24)
// Bubble and slug: holdup from the slip velocity
// (S = F1 + F2 N_LV + F3' (N_GV/(1 + N_LV))^2, F3' = F3 - F4/N_d, or
// S = (1 + F5)(N_GV^0.982 + F6')/(1 + F7 N_LV)^2, F6' = 0.029 N_d + F6),
// friction f1 f2/f3 rho_L usl vm/(2d) with f1 the Moody factor of the
// liquid, f2 the chart's correction, f3 = 1 + f1 (R/50)^0.5, R = usg/usl.
// Mist: no-slip holdup, friction on the gas with the pseudo-roughness of
// the liquid film (eps/d from the Weber and viscosity numbers, held in
// [0.001, 0.5]; Duns & Ros' rough-wall formula above eps/d = 0.05, the
// Moody factor below it), with the diameter d - eps and the gas velocity
// usg d^2/(d - eps)^2, evaluated once. Transition: the gradient
// A (slug) + (1 - A) (mist with the gas density rho_g N_GV/N_GV,Tr/M),
// A = (N_GV,Tr/M - N_GV)/(N_GV,Tr/M - N_GV,S/Tr), and the holdup likewise.
// The slug-transition and transition-mist boundaries are continuous; the
// bubble-slug boundary is a jump, as in the correlation. Above N_LV = 32.33
// the two lines cross, the transition region vanishes and slug flow meets
// mist flow directly: a jump there too (liquid rates above about 10 ft/s).
//
// Duns & Ros' mist-flow acceleration term (the gradient divided by
// 1 - E_k, E_k = vm usg rho_n / p) is left out, as in BB_3: the host adds
// acceleration itself, so the pressure is not read. The outcome's
// elevation and friction parts add up to the gradient.
//
// PROVISIONAL: the chart values (L1, L2, F1..F7, f2) are not yet a
// published digitisation; duns_ros_charts.hpp says what they are. The
// mist-flow roughness and friction formulas are the published ones.
//
// Validity (Duns & Ros' laboratory data): vertical flow, pipes of about
// 1.3 to 5.6 in, oils and water, the whole range of gas rates.
// Inclination, single-phase points and zero flow as HB_3: the vertical
// holdup everywhere, elevation rho g sin(fi); codes 17 and 18; both
// velocities zero a failure. As the gas vanishes the answer tends to the
// liquid's; as the liquid vanishes the mist holdup tends to 0 but the
// film's roughness (eps/d at least 0.001) stays, a step in the friction
// to the dry-gas point on the pipe's own roughness.
#pragma once

#include "wells/well_point.hpp"

namespace pipecorr::wells {

[[nodiscard]] WellOutcome duns_ros(const WellPoint& pt) noexcept;

namespace dr {
// Duns & Ros' mist-flow Darcy factor for a relative roughness in [0.001,
// 0.5] at the gas Reynolds number.
[[nodiscard]] double mist_friction_factor(double relative_roughness,
                                          double reynolds) noexcept;
}  // namespace dr

}  // namespace pipecorr::wells
