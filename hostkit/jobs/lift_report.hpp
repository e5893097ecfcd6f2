// Lift curves for people and programs, in the case's unit system.
#pragma once

#include <string>

#include "jobs/lift_curves.hpp"
#include "jobs/well_case.hpp"

namespace pipecorr::hostkit {

// Per curve its points and the operating point when an inflow was given.
[[nodiscard]] std::string lift_curves_text(const WellCase& well_case,
                                           const LiftCurves& curves);

// One row per point: the curve's GLR and wellhead pressure, the liquid
// rate, the bottom-hole pressure; units in the header.
[[nodiscard]] std::string lift_curves_csv(const WellCase& well_case,
                                          const LiftCurves& curves);

// Bottom-hole pressure against liquid rate, one curve each, the inflow
// curve when given and the operating points marked.
[[nodiscard]] std::string lift_curves_svg(const WellCase& well_case,
                                          const LiftCurves& curves);

}  // namespace pipecorr::hostkit
