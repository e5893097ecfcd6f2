// HB_3: Hagedorn & Brown (1965), modified as engineers use it (Brill &
// Mukherjee, "Multiphase Flow in Wells", SPE Monograph 17, 1999, ch. 4):
//
//  - Griffith & Wallis bubble flow where Griffith's bubble-flow limit
//    admits it: no-slip gas fraction usg/vm below
//    L_B = 1.071 - 0.2218 vm^2/d (ft/s, ft), L_B at least 0.13. Holdup from
//    a bubble rise velocity of 0.8 ft/s; friction on the liquid's in-situ
//    velocity usl/H_L (pattern 19, PIPECORR_PATTERN_HB_BUBBLE).
//  - Elsewhere the Hagedorn & Brown holdup from the three charts (CN_L from
//    N_L, H_L/psi, psi), never below the no-slip holdup; friction
//    f rho_n^2 vm^2 / (2 rho_s d) with the Moody factor at
//    Re = rho_n vm d / mu_s, mu_s = mu_L^H_L mu_g^(1 - H_L) (pattern 20,
//    PIPECORR_PATTERN_HB_SLUG: "the Hagedorn & Brown holdup", whatever the
//    flow pattern in the well).
//
// The charts through the curve fits of Guo, Lyons & Ghalambor, "Petroleum
// Production Engineering: A Computer-Assisted Approach" (2007), ch. 4: three
// rational functions (hagedorn_brown.cpp). Their arguments are held in the
// charts' ranges: N_L in [0.002, 0.5]; psi = 1 below the chart's secondary
// correction argument 0.0106 (where the fit meets 1) and the fit's value at
// 0.09 beyond 0.09; H_L/psi at most 1.
//
// Gradient: elevation rho_s g sin(fi) plus friction. The kinetic term of
// Hagedorn & Brown is a difference of vm^2 between two points of a march,
// which one point cannot form: it is left out (at most a few per cent
// except near the top of gas-rich wells). The pressure enters the holdup
// chart ((p/14.7 psia)^0.1), so p must be positive for two-phase points.
//
// Validity (the data behind the charts): a 1,500-ft experimental vertical
// well, tubing of 1 to 1.5 in nominal, water and oils of about 10 to 110 cp;
// in the field widely used beyond, in oil wells of any size. Outside its
// data the correlation still answers; it is only less trustworthy.
//
// Inclination: the holdup is the vertical one at every inclination (the
// correlation knows no other), and the elevation term takes sin(fi), so a
// horizontal point has friction only and a downward point a negative
// elevation term (pressure rises along the flow). For downward flow the
// upward-flow holdup overstates the liquid held back: treat such points as
// an engineer's estimate.
//
// Single-phase points: the Moody gradient of that phase, codes 17 and 18.
// As the gas vanishes the answer tends to the liquid's (Griffith bubble
// flow, holdup to 1); as the liquid vanishes it does not: the H_L/psi fit
// keeps a floor of 0.0686 at zero argument, so a trace of liquid holds
// back about 7 % of the pipe and the dry-gas point (holdup 0) is a step
// away, the known excess of Hagedorn & Brown in gas wells (use GRAY_3
// there). Both velocities zero: a failure (lift_common.hpp lists every
// reason).
#pragma once

#include "wells/well_point.hpp"

namespace pipecorr::wells {

[[nodiscard]] WellOutcome hagedorn_brown(const WellPoint& pt) noexcept;

namespace hb {
// The three chart fits, exposed for their tests.
[[nodiscard]] double cnl(double nl) noexcept;
[[nodiscard]] double holdup_over_psi(double x) noexcept;
[[nodiscard]] double psi(double y) noexcept;
}  // namespace hb

}  // namespace pipecorr::wells
