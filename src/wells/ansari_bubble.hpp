// Ansari et al.'s bubble and dispersed-bubble hydrodynamics.
#pragma once

#include "wells/ansari_map.hpp"

namespace pipecorr::wells::ansari_model {

// Bubble flow: the gas rises at 1.2 vm plus the swarm's rise velocity
// v_rise HL^0.5 (Zuber & Hench), so HL solves
//   usg / (1 - HL) = 1.2 vm + v_rise HL^0.5,
// which has exactly one root in (0, 1) (bracketed Newton). Friction from
// the Moody factor at the liquid's Reynolds number rho_l vm d / mu_l on
// the in-situ density.
[[nodiscard]] Hydraulics bubble(const WellPoint& p, const Fluid& f) noexcept;

// Dispersed bubbles travel with the liquid: the no-slip mixture, holdup
// lambda_l, friction at the no-slip Reynolds number.
[[nodiscard]] Hydraulics dispersed(const WellPoint& p, const Fluid& f) noexcept;

}  // namespace pipecorr::wells::ansari_model
