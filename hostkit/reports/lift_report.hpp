// Lift curves for people and programs, in the case's unit system
// (rates STB/d | m³/s, pressures psia | Pa, GLR scf/STB | m³/m³, as
// units/quantity.hpp shows them).
#pragma once

#include <string>

#include "cases/well_case.hpp"
#include "studies/lift_curves.hpp"

namespace pipecorr::hostkit {

// A heading (title, case file, correlation, fluid, tubing, water cut, the
// inflow curve), then per curve what it holds fixed (its GLR, its wellhead
// pressure, or both when both vary), its points, the rates that failed
// and why, and the operating point when an inflow was given. Texts from
// outside are escaped with for_terminal.
[[nodiscard]] std::string lift_curves_text(const WellCase& well_case,
                                           const LiftCurves& curves);

// One row per point: correlation, curve (1-based), gas_liquid_ratio_<unit>,
// wellhead_pressure_<unit>, liquid_rate_<unit>, bottom_hole_pressure_<unit>
// ("..._scf_per_STB", "..._psia", "..._STB_per_d" in field units).
[[nodiscard]] std::string lift_curves_csv(const WellCase& well_case,
                                          const LiftCurves& curves);

// Bottom-hole flowing pressure against liquid rate, both axes from zero:
// one curve per GLR or wellhead pressure (ids "lift-1", ...) with a dot at
// every computed point and a gap where a rate the case asked for failed,
// the inflow curve (id "inflow") to its open flow when given, and each
// operating point ringed and labelled with its rate and pressure. In SI,
// rates are drawn in m³/d and pressures in MPa.
[[nodiscard]] std::string lift_curves_svg(const WellCase& well_case,
                                          const LiftCurves& curves);

}  // namespace pipecorr::hostkit
