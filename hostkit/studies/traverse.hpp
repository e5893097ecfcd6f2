// The pressure traverse: marches along the pipe from the inlet, recomputing
// the gas density and both superficial velocities from the local pressure
// at every step (isothermal gas, density proportional to pressure).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "cases/traverse_case.hpp"
#include "plugin/correlation.hpp"

namespace pipecorr::hostkit {

struct TraverseStation {
  double distance = 0.0;    // m along the pipe from the inlet
  double elevation = 0.0;   // m above the inlet
  std::size_t segment = 0;  // 1-based, the segment the point lies in
  double pressure = 0.0;    // Pa
  double gas_density = 0.0;
  double usl = 0.0;
  double usg = 0.0;
  double dp = 0.0;  // Pa/m
  double holdup = 0.0;
  std::int32_t id = 0;
  std::int32_t ierr = 0;
  std::string errmsg;
  bool segment_start = false;  // first station of its segment
};

struct Traverse {
  std::vector<TraverseStation> stations;
  // Empty when the march reached the outlet; otherwise why it stopped.
  std::string stopped;
};

// Largest number of steps a traverse may take: a guard against a step far
// too small for the pipe, which would otherwise run for hours.
inline constexpr std::size_t kMaxSteps = 2'000'000;

// Throws Error for a step that is not positive, or that (with at least one
// step a segment) would take more than `max_steps` steps.
[[nodiscard]] Traverse run_traverse(const Correlation& correlation,
                                    const TraverseCase& pipe, double step,
                                    std::size_t max_steps = kMaxSteps);

}  // namespace pipecorr::hostkit
