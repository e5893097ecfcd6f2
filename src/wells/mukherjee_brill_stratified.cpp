#include "wells/mukherjee_brill_stratified.hpp"

#include <algorithm>
#include <cmath>

#include "portable_math/portable_math.hpp"
#include "wells/wall_friction.hpp"

namespace pipecorr::wells::mb {
namespace {

constexpr double kTwoPi = 2.0 * kPi;
// The gas layer keeps at least this share of the no-slip gas fraction.
constexpr double kGasAreaShare = 0.1;
// The interfacial drag allowed, in smooth-interface drags tau_g (1 -
// vl/vg)^2: a wavy interface drags up to about ten times a smooth one.
constexpr double kWavyInterface = 10.0;

// delta - sin(delta) without the cancellation of a small angle: its series
// below 0.5 rad (the first omitted term is below 1e-19 of the sum).
double segment_excess(double delta) noexcept {
  if (delta < 0.5) {
    const double d2 = delta * delta;
    double sum = 1.0 / 355687428096000.0;  // 1/17!
    sum = 1.0 / 1307674368000.0 - d2 * sum;
    sum = 1.0 / 6227020800.0 - d2 * sum;
    sum = 1.0 / 39916800.0 - d2 * sum;
    sum = 1.0 / 362880.0 - d2 * sum;
    sum = 1.0 / 5040.0 - d2 * sum;
    sum = 1.0 / 120.0 - d2 * sum;
    sum = 1.0 / 6.0 - d2 * sum;
    return delta * d2 * sum;
  }
  return delta - pm::sin(delta);
}

}  // namespace

double segment_angle(double holdup) noexcept {
  if (!(holdup > 0.0)) return 0.0;
  if (!(holdup < 1.0)) return kTwoPi;
  const double target = kTwoPi * holdup;
  // Start from the small-segment form delta^3 / 12 = ... of whichever
  // layer is thinner; Newton then needs a handful of steps.
  double delta = holdup <= 0.5
                     ? pm::pow(12.0 * kPi * holdup, 1.0 / 3.0)
                     : kTwoPi - pm::pow(12.0 * kPi * (1.0 - holdup), 1.0 / 3.0);
  double lo = 0.0;
  double hi = kTwoPi;
  delta = std::clamp(delta, lo, hi);
  for (int k = 0; k < 60; ++k) {
    const double f = segment_excess(delta) - target;
    if (f == 0.0) break;
    if (f < 0.0) {
      lo = delta;
    } else {
      hi = delta;
    }
    const double half_sine = pm::sin(0.5 * delta);
    const double slope = 2.0 * half_sine * half_sine;  // 1 - cos(delta)
    double next = slope > 0.0 ? delta - f / slope : 0.5 * (lo + hi);
    if (!(next > lo && next < hi)) next = 0.5 * (lo + hi);
    if (next == delta) break;
    delta = next;
  }
  return delta;
}

Layers stratified_friction(const WellPoint& p, const NoSlip& m, double holdup,
                           double s) noexcept {
  const double hl = std::min(holdup, 1.0 - kGasAreaShare * (1.0 - m.lambda_l));
  Layers out;
  out.delta = segment_angle(hl);
  const double d = p.diam;
  const double area = 0.25 * kPi * d * d;
  const double area_l = hl * area;
  const double area_g = (1.0 - hl) * area;
  const double perimeter_l = 0.5 * out.delta * d;
  const double perimeter_g = kPi * d - perimeter_l;
  const double interface = d * pm::sin(0.5 * out.delta);
  const double vg = p.usg / (1.0 - hl);

  const double dh_g = 4.0 * area_g / (perimeter_g + interface);
  const double tau_g =
      wall_gradient(p.rog, vg, p.visg, dh_g, p.eps) * (0.25 * dh_g);
  const double gas = tau_g * perimeter_g;

  double liquid = 0.0;
  if (area_l > 0.0 && perimeter_l > 0.0) {
    const double dh = 4.0 * area_l / (perimeter_l + interface);
    const double vl = p.usl / hl;
    const double tau =
        wall_gradient(p.rol, vl, p.visl, dh, p.eps) * (0.25 * dh);
    // What can drive the layer: the pressure gradient on its area (the gas
    // layer's), its weight downhill, the gas's drag on the interface.
    double drive =
        area_l * (gas / area_g) + p.rol * kGravity * std::max(-s, 0.0) * area_l;
    if (vg > vl) {
      const double slip = 1.0 - vl / vg;
      drive += kWavyInterface * tau_g * slip * slip * interface;
    }
    liquid = std::min(tau * perimeter_l, drive);
  }
  out.friction = (liquid + gas) / area;
  return out;
}

}  // namespace pipecorr::wells::mb
