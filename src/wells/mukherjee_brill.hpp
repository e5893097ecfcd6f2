// MB_3: Mukherjee & Brill, for inclined flow up and down.
//
// Source: Mukherjee, H. and Brill, J.P.: "Pressure Drop Correlations for
// Inclined Two-Phase Flow", J. Energy Resources Technology 107 (Dec. 1985)
// 549-554; "Empirical Equations to Predict Flow Patterns in Two-Phase
// Inclined Flow", Int. J. Multiphase Flow 11 (1985) 299-315; as set out
// in Brill, J.P. and Mukherjee, H.: "Multiphase Flow in Wells", SPE
// Monograph 17 (1999), Chapter 4.
//
// Patterns (id): 26 bubble, 27 slug, 28 annular-mist, 29 stratified
// (horizontal and downflow only); 17 liquid only, 18 gas only. The rules
// are in mukherjee_brill_map.hpp; the holdup is the fitted equation with
// the coefficient set for uphill and horizontal flow, downhill stratified
// or downhill other flow (mukherjee_brill_holdup.hpp).
//
// Gradient, Pa/m, positive when pressure falls along the flow:
//   bubble, slug: f_n rho_s vm^2 / (2d) + rho_s g sin(fi),
//     f_n the Moody factor at the no-slip Reynolds number rho_n vm d / mu_n;
//   annular-mist: fR f_n rho_n vm^2 / (2d) + rho_s g sin(fi),
//     fR from the friction-factor ratio table against HR = lambda_l / HL;
//   stratified: the two layers' momentum balance (mukherjee_brill_stratified
//     .hpp).
// The model's kinetic-energy term (the gradient divided by 1 - Ek,
// Ek = rho_s vm usg / p) is left out, as in BB_3: the host adds
// acceleration itself, so the pressure is not read.
// rho_s = rho_l HL + rho_g (1 - HL), rho_n and mu_n the no-slip mixture.
// Single-phase points: the phase alone (single_phase.hpp).
//
// Validity: fitted on measurements in a 1.5-in (38 mm) inclinable U-shaped
// steel test loop, air with kerosene and with lube oil, inclinations from
// -90 to +90 degrees; used for wells and lines of common tubing and line
// sizes. Beyond the fits the equations are applied as they stand, except
// the stratified layers' guards (mukherjee_brill_stratified.hpp) and a
// holdup of 1 where the fitted bracket turns positive (a liquid viscosity
// number NL above about 0.4 uphill, 0.15 in downhill stratified flow).
//
// Every input is screened (point_screen.hpp; the pressure only for being
// finite); a result
// that would not be finite is the failure "pressure gradient is out of
// range". Iterations: the segment angle of stratified flow only, Newton's
// method inside a bisection bracket, at most 60 steps.
#pragma once

#include "wells/well_point.hpp"

namespace pipecorr::wells {

[[nodiscard]] WellOutcome mukherjee_brill(const WellPoint& p) noexcept;

}  // namespace pipecorr::wells
