// Mukherjee & Brill's flow-pattern rules: their dimensionless numbers and
// the four transition equations fitted to their observations (Mukherjee,
// H. and Brill, J.P.: "Empirical Equations to Predict Flow Patterns in
// Two-Phase Inclined Flow", Int. J. Multiphase Flow 11 (1985) 299-315;
// also Brill & Mukherjee, "Multiphase Flow in Wells", SPE Monograph 17,
// 1999, Chapter 4).
#pragma once

#include <cstdint>

#include "wells/well_point.hpp"

namespace pipecorr::wells::mb {

// Duns & Ros's groups in their dimensionless form, so SI in gives the
// numbers of the field-unit equations (1.938 vsl (rho/sigma)^0.25 with
// ft/s, lbm/ft3 and dyn/cm; 0.15726 mu (1/(rho sigma^3))^0.25 with cp).
struct Numbers {
  double nlv = 0.0;  // liquid velocity number vsl (rho_l / (g sigma))^1/4
  double ngv = 0.0;  // gas velocity number vsg (rho_l / (g sigma))^1/4
  double nl = 0.0;   // liquid viscosity number mu_l (g / (rho_l sigma^3))^1/4
};

// For a point where both phases flow.
[[nodiscard]] Numbers numbers(const WellPoint& p) noexcept;

// The transitions, with s = sin(inclination):
// bubble/slug in upflow:  Ngv = NLv 10^(0.940 + 0.074 s - 0.855 s^2 +
//                         3.695 NL)
[[nodiscard]] double ngv_bubble_slug_up(const Numbers& n, double s) noexcept;
// slug/annular-mist, every inclination:
//                         Ngv = 10^(1.401 - 2.694 NL + 0.521 NLv^0.329)
[[nodiscard]] double ngv_slug_annular(const Numbers& n) noexcept;
// bubble/slug in downflow and horizontal flow, x = log10 Ngv:
//                         NLv = 10^(0.431 - 3.003 NL - 1.138 x s
//                               - 0.429 x^2 s + 1.132 s)
[[nodiscard]] double nlv_bubble_slug_down(const Numbers& n, double s) noexcept;
// the stratified boundary in downflow and horizontal flow:
//                         NLv = 10^(0.321 - 0.017 Ngv - 4.267 s - 2.972 NL
//                               - 0.033 x^2 - 3.925 s^2)
[[nodiscard]] double nlv_stratified(const Numbers& n, double s) noexcept;

// The pattern (PIPECORR_PATTERN_MB_*):
//   Ngv > the slug/annular Ngv                    annular-mist, any angle;
//   upflow (s > 0): Ngv > the bubble/slug Ngv     slug, else bubble;
//   horizontal and downflow (s <= 0):
//     NLv <= the stratified NLv                   stratified,
//     else NLv > the bubble/slug NLv              bubble, else slug.
// Upflow and downflow use different maps, so the pattern can change at
// zero inclination; each boundary is a jump of the pattern.
[[nodiscard]] std::int32_t pattern(const Numbers& n, double s) noexcept;

}  // namespace pipecorr::wells::mb
