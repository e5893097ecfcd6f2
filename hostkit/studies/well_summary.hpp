// The short phrases every well report repeats: what the case flows, in
// what pipe, from which known pressure, and how each traverse ended. In the
// case's unit system, as tables or as pictures show it (display_units.hpp);
// texts from the case file are left as they are, for
// the caller to escape for where they go.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "cases/well_case.hpp"
#include "studies/lift_curves.hpp"
#include "studies/well_traverse.hpp"
#include "units/display_units.hpp"
#include "well/inflow.hpp"

namespace pipecorr::hostkit {

// "oil 1000.0 STB/d, water 250.0 STB/d, gas 600000 scf/d; GLR 480.0
// scf/STB, water cut 20.0 %" (ratios only when liquid flows).
[[nodiscard]] std::string rates_summary(const WellCase& well_case,
                                        Medium medium = Medium::kTable);

// "oil 35.0 °API, gas gravity 0.700; tubing ID 2.441 in" (a range of IDs
// when the pipe sections differ).
[[nodiscard]] std::string fluid_and_pipe_summary(
    const WellCase& well_case, Medium medium = Medium::kTable);

// "water cut 20.0 %", or empty when no liquid flows.
[[nodiscard]] std::string water_cut_summary(const WellCase& well_case);

// What tells lift curve `index` from the others: "GLR 400.0 scf/STB" when
// the curves share their wellhead pressure, "wellhead 150.0 psia" when they
// share their GLR, both otherwise.
[[nodiscard]] std::string lift_curve_label(const WellCase& well_case,
                                           const LiftCurves& curves,
                                           std::size_t index,
                                           Medium medium = Medium::kTable);

// "straight line: reservoir 3000.0 psia, PI 1.5 STB/d/psi" or "Vogel:
// reservoir 3000.0 psia, maximum rate 4000.0 STB/d".
[[nodiscard]] std::string inflow_summary(const WellCase& well_case,
                                         const well::Inflow& inflow,
                                         Medium medium = Medium::kTable);

// "wellhead" or "bottom-hole": the end whose pressure the case gives, and
// the other one, whose pressure a traverse answers.
[[nodiscard]] std::string_view known_end_name(const WellCase& well_case);
[[nodiscard]] std::string_view answered_end_name(const WellCase& well_case);

// "wellhead 150.0 psia given".
[[nodiscard]] std::string known_pressure_summary(
    const WellCase& well_case, Medium medium = Medium::kTable);

// "bottom-hole 2345.6 psia" for a completed traverse; "stopped at md
// 5432.1 ft" for one that ended early (the reason is the traverse's
// `stopped`, not repeated here).
[[nodiscard]] std::string outcome_summary(const WellCase& well_case,
                                          const WellTraverse& traverse,
                                          Medium medium = Medium::kTable);

// Where an unfinished traverse stopped: its stopped_at, or else (for a
// traverse made without one) the station it reached last; none when it
// has neither.
[[nodiscard]] std::optional<WellPoint> stop_point(const WellCase& well_case,
                                                  const WellTraverse& traverse);

// The station the march reached last: the deepest when it went down from
// the wellhead, the shallowest when it went up from the bottom; null when
// there are none.
[[nodiscard]] const WellStation* last_reached(const WellCase& well_case,
                                              const WellTraverse& traverse);

}  // namespace pipecorr::hostkit
