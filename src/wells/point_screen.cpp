#include "wells/point_screen.hpp"

#include <cmath>

namespace pipecorr::wells {

std::string_view screen_point(const WellPoint& p, bool pressure_used) noexcept {
  const double all[] = {p.usl, p.usg,   p.rol,  p.rog, p.visl, p.visg,
                        p.eps, p.sigma, p.diam, p.fi,  p.p};
  for (const double v : all) {
    if (!std::isfinite(v)) return "an input is not a finite number";
  }
  if (p.usl < 0.0 || p.usg < 0.0) {
    return "superficial velocities must not be negative";
  }
  if (p.usl == 0.0 && p.usg == 0.0) {
    return "superficial velocities must not both be zero";
  }
  if (!(p.diam > 0.0)) return "pipe diameter must be positive";
  if (p.eps < 0.0) return "pipe roughness must not be negative";
  if (!(p.eps <= 0.05 * p.diam)) {
    return "pipe roughness must not exceed 5 % of the diameter";
  }
  if (!(p.fi >= -90.0 && p.fi <= 90.0)) {
    return "inclination must lie between -90 and 90 degrees";
  }
  if (!(p.rol > 0.0)) return "liquid density must be positive";
  if (p.rog < 0.0) return "gas density must not be negative";
  if (p.visl < 0.0 || p.visg < 0.0) return "viscosities must not be negative";
  if (p.sigma < 0.0) return "surface tension must not be negative";
  const bool liquid = p.usl > 0.0;
  const bool gas = p.usg > 0.0;
  if (liquid && !(p.visl > 0.0)) return "liquid viscosity must be positive";
  if (gas && !(p.rog > 0.0)) return "gas density must be positive";
  if (gas && !(p.visg > 0.0)) return "gas viscosity must be positive";
  if (liquid && gas) {
    if (!(p.rog < p.rol)) return "gas density must be below the liquid density";
    if (!(p.sigma > 0.0)) return "surface tension must be positive";
  }
  if (gas && pressure_used && !(p.p > 0.0)) return "pressure must be positive";
  return {};
}

WellOutcome checked(const WellOutcome& out) noexcept {
  if (!out.ok()) return out;
  if (!std::isfinite(out.dp) || !std::isfinite(out.friction) ||
      !std::isfinite(out.elevation)) {
    return failure("pressure gradient is out of range");
  }
  if (!(out.holdup >= 0.0 && out.holdup <= 1.0)) {
    return failure("liquid holdup is out of range");
  }
  return out;
}

}  // namespace pipecorr::wells
