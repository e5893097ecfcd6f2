#include "wells/hagedorn_brown.hpp"

#include <cmath>

#include "portable_math/portable_math.hpp"
#include "wells/lift_common.hpp"
#include "wells/moody.hpp"
#include "wells/wall_friction.hpp"

namespace pipecorr::wells {
namespace hb {

// Guo, Lyons & Ghalambor (2007), the fit of the CN_L chart.
double cnl(double nl) noexcept {
  const double x = nl < 0.002 ? 0.002 : (nl > 0.5 ? 0.5 : nl);
  const double num = 0.0019 + x * (0.0322 + x * (-0.6642 + x * 4.9951));
  const double den = 1.0 + x * (-10.0147 + x * (33.8696 + x * 277.2817));
  return num / den;
}

// Guo, Lyons & Ghalambor (2007), the fit of the H_L/psi chart, argument
// (N_LV / N_GV^0.575) (p/p_a)^0.1 CN_L / N_d.
double holdup_over_psi(double x) noexcept {
  const double num = 0.0047 + x * (1123.32 + x * 729489.64);
  const double den = 1.0 + x * (1097.1566 + x * 722153.97);
  const double v = std::sqrt(num / den);
  return v < 1.0 ? v : 1.0;
}

// Guo, Lyons & Ghalambor (2007), the fit of the psi chart, argument
// N_GV N_L^0.380 / N_d^2.14. The fit is above 1 except at 0.0106347, where
// it touches 1; the chart is 1 below that.
double psi(double y) noexcept {
  constexpr double kChartStart = 0.0106347447546369;
  if (!(y > kChartStart)) return 1.0;
  const double a = y < 0.09 ? y : 0.09;
  const double num = 1.0886 + a * (-69.9473 + a * (2334.3497 - a * 12896.683));
  const double den = 1.0 + a * (-53.4401 + a * (1517.9369 - a * 8419.8115));
  const double v = num / den;
  return v > 1.0 ? v : 1.0;
}

}  // namespace hb

namespace {

using lift::kCentipoise;
using lift::kDynePerCm;
using lift::kFoot;
using lift::kGravity;
using lift::kPoundPerCubicFoot;
using lift::kPsi;

constexpr double kBubbleRise = 0.8;   // ft/s, Griffith
constexpr double kAtmosphere = 14.7;  // psia, the chart's reference

// Griffith & Wallis bubble flow, holdup and gradient.
WellOutcome bubble(const WellPoint& pt, double vm_ft, double sin_fi) noexcept {
  const double a = vm_ft / kBubbleRise;
  const double b = (pt.usg / kFoot) / kBubbleRise;
  const double radicand = (1.0 + a) * (1.0 + a) - 4.0 * b;
  // Gas fraction 0.5 (1 + a - sqrt(...)) without its cancellation.
  const double root = std::sqrt(radicand > 0.0 ? radicand : 0.0);
  const double gas = 2.0 * b / (1.0 + a + root);
  double holdup = 1.0 - gas;
  const double no_slip = pt.usl / (pt.usl + pt.usg);
  if (holdup < no_slip) holdup = no_slip;
  const double rho_s = pt.rol * holdup + pt.rog * (1.0 - holdup);
  const double v_liquid = pt.usl / holdup;
  const double friction =
      wall_gradient_at(pt.rol, v_liquid, pt.visl, pt.diam, pt.eps / pt.diam);
  return lift::finish(rho_s * kGravity * sin_fi, friction, holdup,
                      PIPECORR_PATTERN_HB_BUBBLE);
}

}  // namespace

WellOutcome hagedorn_brown(const WellPoint& pt) noexcept {
  if (auto bad = lift::screen(pt, true)) return *bad;
  if (pt.usl == 0.0 || pt.usg == 0.0) return lift::single_phase(pt);

  const double sin_fi = inclination_sine(pt.fi);
  const double vm = pt.usl + pt.usg;
  const double no_slip = pt.usl / vm;
  const double vm_ft = vm / kFoot;
  const double d_ft = pt.diam / kFoot;

  double limit = 1.071 - 0.2218 * vm_ft * vm_ft / d_ft;
  if (limit < 0.13) limit = 0.13;
  if (pt.usg / vm < limit) return bubble(pt, vm_ft, sin_fi);

  // Duns & Ros' dimensionless numbers in the chart's field units.
  const double rho_l = pt.rol / kPoundPerCubicFoot;
  const double sigma = pt.sigma / kDynePerCm;
  const double mu_l = pt.visl / kCentipoise;
  const double root2 = std::sqrt(rho_l / sigma);
  const double root4 = std::sqrt(root2);
  const double nlv = 1.938 * (pt.usl / kFoot) * root4;
  const double ngv = 1.938 * (pt.usg / kFoot) * root4;
  const double nd = 120.872 * d_ft * root2;
  const double nl =
      0.15726 * mu_l / std::sqrt(std::sqrt(rho_l * sigma * sigma * sigma));

  const double p_ratio = (pt.p / kPsi) / kAtmosphere;
  const double x =
      nlv / pm::pow(ngv, 0.575) * pm::pow(p_ratio, 0.1) * hb::cnl(nl) / nd;
  const double y = ngv * pm::pow(nl, 0.380) / pm::pow(nd, 2.14);
  double holdup = hb::holdup_over_psi(x) * hb::psi(y);
  if (holdup > 1.0) holdup = 1.0;
  if (holdup < no_slip) holdup = no_slip;

  const double rho_n = pt.rol * no_slip + pt.rog * (1.0 - no_slip);
  const double rho_s = pt.rol * holdup + pt.rog * (1.0 - holdup);
  const double mu_s =
      pm::exp(holdup * pm::log(pt.visl) + (1.0 - holdup) * pm::log(pt.visg));
  const double re = rho_n * vm * pt.diam / mu_s;
  // Laminar: f = 64/Re written out, so a tiny Re cannot overflow.
  const double friction =
      re > 2000.0 ? moody_darcy(re, pt.eps / pt.diam) * rho_n * rho_n * vm *
                        vm / (2.0 * rho_s * pt.diam)
                  : 32.0 * mu_s * rho_n * vm / (rho_s * pt.diam * pt.diam);
  return lift::finish(rho_s * kGravity * sin_fi, friction, holdup,
                      PIPECORR_PATTERN_HB_SLUG);
}

}  // namespace pipecorr::wells
