// The traverses of a well, for people and programs, in the unit system the
// case was written in. Several traverses (one per correlation) share one
// table, one CSV and one picture, so correlations can be compared.
#pragma once

#include <span>
#include <string>

#include "jobs/well_case.hpp"
#include "jobs/well_traverse.hpp"

namespace pipecorr::hostkit {

// A heading (case, correlations, known and answered pressures), then per
// traverse its stations (md, tvd, inclination, pressure, temperature,
// holdup, gradient, pattern, usl, usg, liquid and gas density) and how it
// ended.
[[nodiscard]] std::string well_traverse_text(
    const WellCase& well_case, std::span<const WellTraverse> traverses);

// Every station of every traverse, one row each, with a correlation column
// and the unit of every quantity in the header ("md_ft", "pressure_psia").
[[nodiscard]] std::string well_traverse_csv(
    const WellCase& well_case, std::span<const WellTraverse> traverses);

// Depth downward, as wells are drawn: pressure and temperature against
// depth, and holdup against depth over bands coloured by flow pattern; one
// curve per traverse, with a legend.
[[nodiscard]] std::string well_traverse_svg(
    const WellCase& well_case, std::span<const WellTraverse> traverses);

}  // namespace pipecorr::hostkit
