// The pressure traverse of a pipeline case, through the well march: the
// profile becomes a path whose md is the distance along the pipe from the
// inlet and whose tvd is minus the elevation, each segment a straight
// interval with its own pipe, marched with the flow from the known inlet
// pressure. At every point the gas density follows the local pressure
// (isothermal gas, density proportional to pressure) and both superficial
// velocities follow from it.
#pragma once

#include <cstddef>

#include "cases/traverse_case.hpp"
#include "plugin/correlation.hpp"
#include "studies/well_traverse.hpp"
#include "well/march.hpp"

namespace pipecorr::hostkit {

// The 1-based segment of the pipe whose steps end at `distance` (m from
// the inlet): at a segment's end, that segment; at the inlet, the first.
[[nodiscard]] std::size_t segment_at(const TraverseCase& pipe, double distance);

// A row at the end of every step (at most `step` m long, each segment at
// least one step), inlet first; `stations[k].md` is the distance along the
// pipe and minus `tvd` the elevation above the inlet. The march stops at a
// correlation error, a pressure falling to zero or one no longer finite,
// and says where and why in `stopped` (distances in m, pressures in bar).
// Throws Error for a step that is not a positive length, a profile that
// would take more than `max_steps` steps, or a segment too short to be
// told apart from the distance before it.
[[nodiscard]] WellTraverse run_traverse(
    const Correlation& correlation, const TraverseCase& pipe, double step,
    std::size_t max_steps = well::kMaxMarchSteps);

}  // namespace pipecorr::hostkit
