#include "wells/gray.hpp"

#include "portable_math/portable_math.hpp"
#include "wells/lift_common.hpp"
#include "wells/wall_friction.hpp"

namespace pipecorr::wells {
namespace {

constexpr double kMinimumRoughness = 2.77e-5 * lift::kFoot;  // m
constexpr double kRatioLimit = 0.007;
constexpr double kMaxRelativeRoughness = 0.5;

}  // namespace

WellOutcome gray(const WellPoint& pt) noexcept {
  if (auto bad = lift::screen(pt, false)) return *bad;
  if (pt.usl == 0.0 || pt.usg == 0.0) return lift::single_phase(pt);
  const double g = lift::kGravity;

  const double vm = pt.usl + pt.usg;
  const double no_slip = pt.usl / vm;
  const double rho_n = pt.rol * no_slip + pt.rog * (1.0 - no_slip);
  const double mu_n = pt.visl * no_slip + pt.visg * (1.0 - no_slip);
  const double drho = pt.rol - pt.rog;
  const double vm2 = vm * vm;

  const double n1 = rho_n * rho_n * vm2 * vm2 / (g * pt.sigma * drho);
  const double n2 = g * pt.diam * pt.diam * drho / pt.sigma;
  const double ratio = pt.usl / pt.usg;
  const double n3 =
      0.0814 * (1.0 - 0.0554 * pm::log(1.0 + 730.0 * ratio / (ratio + 1.0)));
  const double fe = -2.314 * pm::pow(n1 * (1.0 + 205.0 / n2), n3);
  const double holdup = 1.0 - (1.0 - no_slip) * (1.0 - pm::exp(fe));

  const double r0 = 28.5 * pt.sigma / (rho_n * vm2);
  double eps =
      ratio >= kRatioLimit ? r0 : pt.eps + ratio * (r0 - pt.eps) / kRatioLimit;
  if (!(eps >= kMinimumRoughness)) eps = kMinimumRoughness;
  double rel = eps / pt.diam;
  if (rel > kMaxRelativeRoughness) rel = kMaxRelativeRoughness;

  const double rho_s = pt.rol * holdup + pt.rog * (1.0 - holdup);
  const double friction = wall_gradient_at(rho_n, vm, mu_n, pt.diam, rel);
  return lift::finish(rho_s * g * inclination_sine(pt.fi), friction, holdup,
                      PIPECORR_PATTERN_GRAY);
}

}  // namespace pipecorr::wells
