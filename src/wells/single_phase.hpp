// A point where only one phase flows (usg = 0 or usl = 0, not both): the
// gradient of that phase alone, pattern 17 (liquid only, holdup 1) or 18
// (gas only, holdup 0). Elevation rho g sin(fi), friction from the Moody
// factor at the phase's Reynolds number.
#pragma once

#include "wells/well_point.hpp"

namespace pipecorr::wells {

// For a screened point with exactly one phase flowing. With
// `kinetic_energy` the gas gradient is divided by 1 - Ek,
// Ek = rho_g usg^2 / p, the limit of a correlation that carries that term
// in its two-phase gradient (so that its gas-rich points run into this one
// without a jump); Ek >= 1 is the failure "flow reaches the critical
// velocity".
[[nodiscard]] WellOutcome single_phase(const WellPoint& p,
                                       bool kinetic_energy) noexcept;

// The kinetic-energy factor 1 / (1 - ek) applied to both parts of a
// gradient; the failure above when ek >= 1.
[[nodiscard]] WellOutcome with_kinetic_energy(WellOutcome out,
                                              double ek) noexcept;

}  // namespace pipecorr::wells
