#include "friction_factor.hpp"

#include <algorithm>
#include <cmath>

namespace twpc2032 {
namespace {

// Solves the Colebrook equation for x = 1 / sqrt(f) by fixed-point
// iteration. The map's slope is below 0.87 / x, so it contracts for every
// factor a pipe can have (x > 1) and settles in a few dozen steps at most.
double colebrook(double reynolds, double relative_roughness) noexcept {
  const double rough = relative_roughness / 3.7;
  const double smooth = 2.51 / reynolds;
  double x = 8.0;  // f = 0.0156, mid-range of turbulent pipe flow
  for (int step = 0; step < 200; ++step) {
    const double next = -2.0 * std::log10(rough + smooth * x);
    const bool settled = std::fabs(next - x) <= 1e-15 * next;
    x = next;
    if (settled) break;
  }
  return 1.0 / (x * x);
}

}  // namespace

double darcy_friction_factor(double reynolds,
                             double relative_roughness) noexcept {
  if (reynolds < kLaminarLimit) return 64.0 / reynolds;
  return colebrook(reynolds, std::min(relative_roughness, kRoughestPipe));
}

}  // namespace twpc2032
