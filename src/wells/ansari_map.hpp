// The flow-pattern transitions of Ansari et al.'s model for upward flow
// (Ansari, A.M., Sylvester, N.D., Sarica, C., Shoham, O. and Brill, J.P.:
// "A Comprehensive Mechanistic Model for Upward Two-Phase Flow in
// Wellbores", SPE Production & Facilities, May 1994, 143-152; Brill &
// Mukherjee, "Multiphase Flow in Wells", SPE Monograph 17, 1999, Chapter 4).
#pragma once

#include "wells/flow_basics.hpp"
#include "wells/well_point.hpp"

namespace pipecorr::wells::ansari_model {

// What every part of the model reads from a two-phase point.
struct Fluid {
  NoSlip m;
  double s = 0.0;       // sin(inclination), >= 0
  double drho = 0.0;    // rho_l - rho_g, > 0
  double v_rise = 0.0;  // Harmathy's bubble rise velocity
                        // 1.53 (g sigma drho / rho_l^2)^1/4, m/s
};

[[nodiscard]] Fluid fluid(const WellPoint& p) noexcept;

// What each pattern's hydrodynamics give.
struct Hydraulics {
  double holdup = 0.0;     // in-situ liquid fraction
  double friction = 0.0;   // Pa/m
  double elevation = 0.0;  // Pa/m
};

// Taitel et al.'s bubble/slug transition at a void fraction of 0.25 with
// the bubbles slipping at v_rise: usg = 0.25 v_rise + 0.333 usl.
[[nodiscard]] double usg_bubble_slug(const WellPoint& p,
                                     const Fluid& f) noexcept;

// Bubble flow exists only in pipes wider than
// 19.01 [drho sigma / (rho_l^2 g)]^1/2 (Taitel et al.), m.
[[nodiscard]] double min_bubble_diameter(const WellPoint& p,
                                         const Fluid& f) noexcept;

// Barnea's dispersed-bubble transition: turbulence breaks the gas into
// bubbles too small to coalesce,
//   2 [0.4 sigma / (drho g)]^1/2 (rho_l / sigma)^0.6 [f_M / (2d)]^0.4
//     vm^1.2 > 0.725 + 4.15 (usg / vm)^1/2,
// f_M the Moody factor of the no-slip mixture; and below the densest
// packing of bubbles, a void fraction of 0.52: usg < 1.083 usl +
// 0.52 v_rise.
[[nodiscard]] bool dispersed_bubble(const WellPoint& p,
                                    const Fluid& f) noexcept;

// The least gas velocity that lifts the largest drops, the first condition
// for annular flow: 3.1 [g sigma drho / rho_g^2]^1/4, m/s.
[[nodiscard]] double usg_annular_min(const WellPoint& p,
                                     const Fluid& f) noexcept;

}  // namespace pipecorr::wells::ansari_model
