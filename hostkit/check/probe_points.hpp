// The points the check calls every correlation at: ordinary points drawn
// from a seed over the working ranges of oil and gas lines (every flow
// pattern a correlation knows shows up among them), then one point per bad
// input class and argument.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "plugin/flow_point.hpp"

namespace pipecorr::hostkit {

struct ProbePoint {
  std::string label;  // "ordinary point 3", "diam = 0", "gas only", ...
  FlowInputs inputs;  // SI, as FlowInputs documents
  bool ordinary = false;
};

// The number of bad-input points probe_points() appends: seven classes
// (zero, negative, NaN, +inf, -inf, huge, subnormal) for each of the eleven
// arguments, then no flow, gas only and liquid only.
inline constexpr std::size_t kBadPointCount = 7 * kInputCount + 3;

// `ordinary` points from `seed`, then the bad inputs. The same seed gives
// the same points on every platform. For single-precision entries "huge"
// and "subnormal" are chosen within a float's range, so that they reach the
// correlation as such rather than as infinity or zero.
[[nodiscard]] std::vector<ProbePoint> probe_points(std::uint64_t seed,
                                                   std::size_t ordinary,
                                                   bool single_precision);

}  // namespace pipecorr::hostkit
