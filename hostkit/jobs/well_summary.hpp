// The short phrases every well report repeats: what the case flows, in
// what pipe, from which known pressure, and how each traverse ended. In the
// case's unit system; texts from the case file are left as they are, for
// the caller to escape for where they go.
#pragma once

#include <string>
#include <string_view>

#include "jobs/well_case.hpp"
#include "jobs/well_traverse.hpp"

namespace pipecorr::hostkit {

// "oil 1000.0 STB/d, water 250.0 STB/d, gas 600000 scf/d; GLR 480.0
// scf/STB, water cut 20.0 %" (ratios only when liquid flows).
[[nodiscard]] std::string rates_summary(const WellCase& well_case);

// "oil 35.0 °API, gas gravity 0.700; tubing ID 2.441 in" (a range of IDs
// when the pipe sections differ).
[[nodiscard]] std::string fluid_and_pipe_summary(const WellCase& well_case);

// "wellhead" or "bottom-hole": the end whose pressure the case gives, and
// the other one, whose pressure a traverse answers.
[[nodiscard]] std::string_view known_end_name(const WellCase& well_case);
[[nodiscard]] std::string_view answered_end_name(const WellCase& well_case);

// "wellhead 150.0 psia given".
[[nodiscard]] std::string known_pressure_summary(const WellCase& well_case);

// "bottom-hole 2345.6 psia" for a completed traverse; "stopped at md
// 5432.1 ft" for one that ended early (the reason is the traverse's
// `stopped`, not repeated here).
[[nodiscard]] std::string outcome_summary(const WellCase& well_case,
                                          const WellTraverse& traverse);

// The station the march reached last: the deepest when it went down from
// the wellhead, the shallowest when it went up from the bottom; null when
// there are none.
[[nodiscard]] const WellStation* last_reached(const WellCase& well_case,
                                              const WellTraverse& traverse);

}  // namespace pipecorr::hostkit
