#include "wells/ansari_annular.hpp"

#include <cmath>

#include "portable_math/portable_math.hpp"
#include "wells/wall_friction.hpp"

namespace pipecorr::wells::ansari_model {
namespace {

constexpr double kBridgingHoldup = 0.12;
constexpr int kSamples = 16;
constexpr int kHalvings = 60;

double entrained_fraction(const WellPoint& p) noexcept {
  const double vcrit =
      1e4 * p.usg * p.visg / p.sigma * std::sqrt(p.rog / p.rol);
  if (!(vcrit > 1.5)) return 0.0;
  return 1.0 - pm::exp(-0.125 * (vcrit - 1.5));
}

}  // namespace

AnnularFilm annular(const WellPoint& p, const Fluid& f) noexcept {
  AnnularFilm out;
  out.entrained = entrained_fraction(p);
  const double fe = out.entrained;
  const double usc = p.usg + fe * p.usl;
  const double lambda_c = fe * p.usl / usc;
  const double rho_c = p.rol * lambda_c + p.rog * (1.0 - lambda_c);
  const double mu_c = p.visl * lambda_c + p.visg * (1.0 - lambda_c);
  const double core = wall_gradient(rho_c, usc, mu_c, p.diam, p.eps);
  const double x2 =
      wall_gradient(p.rol, p.usl * (1.0 - fe), p.visl, p.diam, p.eps) / core;
  const double y = kGravity * f.s * (p.rol - rho_c) / core;
  const double zc = fe > 0.9 ? 300.0 : 24.0 * pm::pow(p.rol / p.rog, 1.0 / 3.0);

  // k(delta) = Z H^2 / (1 - 2 delta)^5 - Y H^3 - X^2: the momentum
  // equation times H^3, which has the same roots and no pole at 0.
  const auto k = [&](double delta) {
    const double h = 4.0 * delta * (1.0 - delta);
    const double c = 1.0 - 2.0 * delta;
    const double c5 = c * c * c * c * c;
    return (1.0 + zc * delta) * h * h / c5 - y * h * h * h - x2;
  };
  const double delta_max = 0.5 * (1.0 - std::sqrt(1.0 - kBridgingHoldup));
  double delta = 0.0;
  if (x2 > 0.0) {
    double lo = 0.0;
    double hi = -1.0;
    for (int i = 1; i <= kSamples; ++i) {
      const double at = delta_max * i / kSamples;
      if (k(at) >= 0.0) {
        hi = at;
        break;
      }
      lo = at;
    }
    if (hi < 0.0) return out;  // thicker than the bridging limit, or none
    for (int i = 0; i < kHalvings; ++i) {
      const double mid = 0.5 * (lo + hi);
      if (mid <= lo || mid >= hi) break;
      if (k(mid) < 0.0) {
        lo = mid;
      } else {
        hi = mid;
      }
    }
    delta = hi;
  }
  const double h = 4.0 * delta * (1.0 - delta);
  // Barnea's stability, multiplied out so that a vanishing film (no
  // liquid left on the wall) is stable without dividing by zero.
  if (!(y * h * h * h * (1.0 - 1.5 * h) < (2.0 - 1.5 * h) * x2) && x2 > 0.0) {
    return out;
  }
  const double c = 1.0 - 2.0 * delta;
  out.exists = true;
  out.delta = delta;
  out.film_holdup = h;
  out.h.friction = (1.0 + zc * delta) / (c * c * c * c * c) * core;
  out.h.elevation = rho_c * kGravity * f.s;
  out.h.holdup = h + lambda_c * (1.0 - h);
  return out;
}

}  // namespace pipecorr::wells::ansari_model
