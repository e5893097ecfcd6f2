#include "wells/ansari_map.hpp"

#include <cmath>

#include "portable_math/portable_math.hpp"
#include "wells/wall_friction.hpp"

namespace pipecorr::wells::ansari_model {
namespace {

double fourth_root(double x) noexcept { return std::sqrt(std::sqrt(x)); }

}  // namespace

Fluid fluid(const WellPoint& p) noexcept {
  Fluid f;
  f.m = no_slip(p);
  f.s = inclination_sine(p.fi);
  f.drho = p.rol - p.rog;
  f.v_rise = 1.53 * fourth_root(kGravity * p.sigma * f.drho / (p.rol * p.rol));
  return f;
}

double usg_bubble_slug(const WellPoint& p, const Fluid& f) noexcept {
  return 0.25 * f.v_rise + 0.333 * p.usl;
}

double min_bubble_diameter(const WellPoint& p, const Fluid& f) noexcept {
  return 19.01 * std::sqrt(f.drho * p.sigma / (p.rol * p.rol * kGravity));
}

bool dispersed_bubble(const WellPoint& p, const Fluid& f) noexcept {
  if (!(p.usg < 1.083 * p.usl + 0.52 * f.v_rise)) return false;
  const double fm =
      wall_factor(f.m.rho * f.m.vm * p.diam / f.m.mu, p.eps, p.diam);
  const double r = p.rol / p.sigma;
  // (rho_l/sigma)^0.6 [f_M/(2d)]^0.4 vm^1.2 as one power.
  const double turbulence = pm::pow(
      r * std::sqrt(r) * fm * f.m.vm * f.m.vm * f.m.vm / (2.0 * p.diam), 0.4);
  const double lhs =
      2.0 * std::sqrt(0.4 * p.sigma / (f.drho * kGravity)) * turbulence;
  return lhs > 0.725 + 4.15 * std::sqrt(p.usg / f.m.vm);
}

double usg_annular_min(const WellPoint& p, const Fluid& f) noexcept {
  return 3.1 * fourth_root(kGravity * p.sigma * f.drho / (p.rog * p.rog));
}

}  // namespace pipecorr::wells::ansari_model
