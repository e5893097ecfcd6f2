#include "well/inclination.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace pipecorr::well {

double flow_inclination(double inclination, FlowDirection flow) noexcept {
  // Going down the hole the pipe falls (90 - inclination) degrees below
  // horizontal; fluid moving up the hole therefore climbs that angle.
  const double climb_going_up = 90.0 - inclination;
  return flow == FlowDirection::kUpTheWell ? climb_going_up : -climb_going_up;
}

double chord_inclination(double tvd_change, double length) noexcept {
  const double cosine = std::clamp(tvd_change / length, -1.0, 1.0);
  return std::acos(cosine) * (180.0 / std::numbers::pi);
}

}  // namespace pipecorr::well
