#include "well/single_phase.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace pipecorr::well {
namespace {

constexpr double kLaminarEnd = 2000.0;
constexpr double kTurbulentStart = 4000.0;
constexpr double kGravity = 9.80665;  // m/s2, standard

// Colebrook-White, 1/sqrt(f) = -2 log10(e/3.7 + 2.51/(Re sqrt(f))), by
// fixed-point iteration on x = 1/sqrt(f), which contracts for Re >= 4000.
double colebrook(double re, double relative_roughness) {
  double x = 8.0;  // f about 0.016: a few steps from any answer
  for (int i = 0; i < 100; ++i) {
    const double next =
        -2.0 * std::log10(relative_roughness / 3.7 + 2.51 * x / re);
    if (next == x) break;
    x = next;
  }
  return 1.0 / (x * x);
}

}  // namespace

double moody_friction_factor(double re, double relative_roughness) {
  if (!(re > 0.0)) return 0.0;
  const double e = std::clamp(relative_roughness, 0.0, 0.05);
  if (re <= kLaminarEnd) return 64.0 / re;
  if (re >= kTurbulentStart) return colebrook(re, e);
  const double t = (re - kLaminarEnd) / (kTurbulentStart - kLaminarEnd);
  return (1.0 - t) * (64.0 / kLaminarEnd) + t * colebrook(kTurbulentStart, e);
}

double single_phase_gradient(const SinglePhaseFlow& flow) {
  const double head =
      flow.density * kGravity * std::sin(flow.fi * std::numbers::pi / 180.0);
  if (!(flow.velocity > 0.0) || !(flow.viscosity > 0.0)) return head;
  const double re =
      flow.density * flow.velocity * flow.diameter / flow.viscosity;
  const double f = moody_friction_factor(re, flow.roughness / flow.diameter);
  return head + f * flow.density * flow.velocity * flow.velocity /
                    (2.0 * flow.diameter);
}

double kinetic_factor(double usl, double usg, double rol, double rog,
                      double holdup, double pressure) {
  const double vm = usl + usg;
  if (!(usg > 0.0) || !(vm > 0.0) || !(pressure > 0.0)) return 0.0;
  const double hl = std::clamp(holdup, 0.0, 1.0);
  const double rho_s = rol * hl + rog * (1.0 - hl);
  return rho_s * vm * usg / pressure;
}

}  // namespace pipecorr::well
