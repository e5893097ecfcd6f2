#include "wells/lift_common.hpp"

#include "wells/single_phase.hpp"

namespace pipecorr::wells::lift {
namespace {

[[nodiscard]] bool finite(double v) noexcept { return v - v == 0.0; }

}  // namespace

std::optional<WellOutcome> screen(const WellPoint& pt,
                                  bool reads_pressure) noexcept {
  const double all[] = {pt.usl, pt.usg,   pt.rol,  pt.rog, pt.visl, pt.visg,
                        pt.eps, pt.sigma, pt.diam, pt.fi,  pt.p};
  for (const double v : all) {
    if (!finite(v)) return failure("an input is not a finite number");
  }
  if (pt.usl < 0.0 || pt.usg < 0.0) {
    return failure("superficial velocities must not be negative");
  }
  if (pt.usl == 0.0 && pt.usg == 0.0) {
    return failure("superficial velocities must not both be zero");
  }
  if (!(pt.diam > 0.0)) return failure("pipe diameter must be positive");
  if (pt.eps < 0.0) return failure("pipe roughness must not be negative");
  if (pt.fi < -90.0 || pt.fi > 90.0) {
    return failure("inclination must lie between -90 and 90 degrees");
  }
  const bool liquid = pt.usl > 0.0;
  const bool gas = pt.usg > 0.0;
  if (liquid && !(pt.rol > 0.0)) {
    return failure("liquid density must be positive");
  }
  if (gas && !(pt.rog > 0.0)) return failure("gas density must be positive");
  if (liquid && !(pt.visl > 0.0)) {
    return failure("liquid viscosity must be positive");
  }
  if (gas && !(pt.visg > 0.0)) {
    return failure("gas viscosity must be positive");
  }
  if (liquid && gas) {
    if (!(pt.rol > pt.rog)) {
      return failure("liquid density must exceed gas density");
    }
    if (!(pt.sigma > 0.0)) return failure("surface tension must be positive");
    if (reads_pressure && !(pt.p > 0.0)) {
      return failure("pressure must be positive");
    }
  }
  return std::nullopt;
}

WellOutcome single_phase(const WellPoint& pt) noexcept {
  const WellOutcome out = wells::single_phase(pt);
  return finish(out.elevation, out.friction, out.holdup, out.pattern);
}

WellOutcome finish(double elevation, double friction, double holdup,
                   std::int32_t pattern) noexcept {
  if (!(holdup >= 0.0 && holdup <= 1.0)) {
    return failure("liquid holdup is out of range");
  }
  const double dp = elevation + friction;
  if (!finite(dp) || !finite(elevation) || !finite(friction)) {
    return failure("pressure gradient is out of range");
  }
  WellOutcome out;
  out.dp = dp;
  out.holdup = holdup;
  out.pattern = pattern;
  out.friction = friction;
  out.elevation = elevation;
  return out;
}

}  // namespace pipecorr::wells::lift
