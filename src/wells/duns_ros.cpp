#include "wells/duns_ros.hpp"

#include <cmath>

#include "portable_math/portable_math.hpp"
#include "wells/duns_ros_charts.hpp"
#include "wells/lift_common.hpp"
#include "wells/moody.hpp"
#include "wells/wall_friction.hpp"

namespace pipecorr::wells {
namespace dr {

double mist_friction_factor(double relative_roughness,
                            double reynolds) noexcept {
  const double r = relative_roughness;
  if (r > 0.05) {
    const double l = 4.0 * pm::log10(0.27 * r);
    return 4.0 * (1.0 / (l * l) + 0.067 * pm::pow(r, 1.73));
  }
  return reynolds > 2000.0 ? moody_darcy(reynolds, r) : 64.0 / reynolds;
}

}  // namespace dr

namespace {

using lift::kCentipoise;
using lift::kDynePerCm;
using lift::kFoot;
using lift::kGravity;
using lift::kPoundPerCubicFoot;

struct Numbers {
  double nlv, ngv, nd, nl;
  double root4;  // (rho_L/sigma)^(1/4), field units
};

struct Part {
  double holdup, elevation, friction;
};

// Bubble or slug flow with slip number S.
Part slip_flow(const WellPoint& pt, const Numbers& n, double s,
               double sin_fi) noexcept {
  const double vs = s / (1.938 * n.root4) * kFoot;  // m/s
  const double vm = pt.usl + pt.usg;
  const double b = vm - vs;
  // H_L = (vs - vm + sqrt((vm - vs)^2 + 4 vs usl)) / (2 vs), written
  // without cancellation for either sign of vm - vs.
  const double root = std::sqrt(b * b + 4.0 * vs * pt.usl);
  double holdup = b > 0.0 ? 2.0 * pt.usl / (b + root) : (root - b) / (2.0 * vs);
  const double no_slip = pt.usl / vm;
  if (!(holdup >= no_slip)) holdup = no_slip;
  if (holdup > 1.0) holdup = 1.0;
  const double rho_s = pt.rol * holdup + pt.rog * (1.0 - holdup);

  const double re_l = pt.rol * pt.usl * pt.diam / pt.visl;
  const double rel = pt.eps / pt.diam;
  const double ratio = pt.usg / pt.usl;
  // Laminar f1 = 64/Re_L is kept as a product with usl, so a tiny Re_L
  // cannot overflow: f1 usl = 64 mu_L/(rho_L d).
  const bool laminar = !(re_l > 2000.0);
  const double f1 = laminar ? 64.0 / re_l : moody_darcy(re_l, rel);
  const double f1_usl =
      laminar ? 64.0 * pt.visl / (pt.rol * pt.diam) : f1 * pt.usl;
  const double f2 =
      dr::f2_correction(f1_usl / pt.usl * ratio * pm::pow(n.nd, 2.0 / 3.0));
  const double f3 = 1.0 + f1_usl / pt.usl * std::sqrt(ratio / 50.0);
  const double friction = f1_usl * f2 / f3 * pt.rol * vm / (2.0 * pt.diam);
  return {holdup, rho_s * kGravity * sin_fi, friction};
}

Part slug(const WellPoint& pt, const Numbers& n, double sin_fi) noexcept {
  const dr::SlipNumbers f = dr::slip_numbers(n.nl);
  const double f6 = 0.029 * n.nd + f.f6;
  const double t = 1.0 + f.f7 * n.nlv;
  const double s = (1.0 + f.f5) * (pm::pow(n.ngv, 0.982) + f6) / (t * t);
  return slip_flow(pt, n, s > 0.0 ? s : 0.0, sin_fi);
}

// Mist flow with gas density rho_g (the transition passes a reduced one).
Part mist(const WellPoint& pt, double rho_g, double sin_fi) noexcept {
  const double vm = pt.usl + pt.usg;
  const double no_slip = pt.usl / vm;
  const double rho_n = pt.rol * no_slip + rho_g * (1.0 - no_slip);
  // N_We N_mu = rho_g usg^2 mu_L^2 / (rho_L sigma^2): the film's roughness
  // drops out of the product, so no iteration is needed.
  const double q = pt.usg * pt.usg * rho_g;
  const double we_mu = q * pt.visl * pt.visl / (pt.rol * pt.sigma * pt.sigma);
  double eps = we_mu <= 0.005 ? 0.0749 * pt.sigma / q
                              : 0.3713 * pt.sigma / q * pm::pow(we_mu, 0.302);
  double rel = eps / pt.diam;
  if (!(rel >= 0.001)) rel = 0.001;
  if (rel > 0.5) rel = 0.5;
  eps = rel * pt.diam;
  const double d = pt.diam - eps;
  const double v = pt.usg * (pt.diam / d) * (pt.diam / d);
  const double re = rho_g * v * d / pt.visg;
  const double rel_d = eps / d;
  const double friction =
      rel_d > 0.05 ? dr::mist_friction_factor(rel_d > 0.5 ? 0.5 : rel_d, re) *
                         rho_g * v * v / (2.0 * d)
                   : wall_gradient_at(rho_g, v, pt.visg, d, rel_d);
  return {no_slip, rho_n * kGravity * sin_fi, friction};
}

}  // namespace

WellOutcome duns_ros(const WellPoint& pt) noexcept {
  if (auto bad = lift::screen(pt, false)) return *bad;
  if (pt.usl == 0.0 || pt.usg == 0.0) return lift::single_phase(pt);
  const double sin_fi = inclination_sine(pt.fi);

  Numbers n{};
  const double rho_l = pt.rol / kPoundPerCubicFoot;
  const double sigma = pt.sigma / kDynePerCm;
  const double root2 = std::sqrt(rho_l / sigma);
  n.root4 = std::sqrt(root2);
  n.nlv = 1.938 * (pt.usl / kFoot) * n.root4;
  n.ngv = 1.938 * (pt.usg / kFoot) * n.root4;
  n.nd = 120.872 * (pt.diam / kFoot) * root2;
  n.nl = 0.15726 * (pt.visl / kCentipoise) *
         (1.0 / std::sqrt(std::sqrt(rho_l * sigma * sigma * sigma)));

  const dr::BoundaryNumbers l = dr::boundary_numbers(n.nd);
  const double bubble_slug = l.l1 + l.l2 * n.nlv;
  const double slug_transition = 50.0 + 36.0 * n.nlv;
  // N_LV^0.75 = sqrt(N_LV) sqrt(sqrt(N_LV)).
  const double sqrt_nlv = std::sqrt(n.nlv);
  const double transition_mist = 75.0 + 84.0 * (sqrt_nlv * std::sqrt(sqrt_nlv));

  if (n.ngv < bubble_slug) {
    const dr::SlipNumbers f = dr::slip_numbers(n.nl);
    const double f3 = f.f3 - f.f4 / n.nd;
    const double g = n.ngv / (1.0 + n.nlv);
    const double s = f.f1 + f.f2 * n.nlv + f3 * g * g;
    const Part b = slip_flow(pt, n, s > 0.0 ? s : 0.0, sin_fi);
    return lift::finish(b.elevation, b.friction, b.holdup,
                        PIPECORR_PATTERN_DR_BUBBLE);
  }
  if (n.ngv < slug_transition) {
    const Part s = slug(pt, n, sin_fi);
    return lift::finish(s.elevation, s.friction, s.holdup,
                        PIPECORR_PATTERN_DR_SLUG);
  }
  if (n.ngv < transition_mist) {
    const double a =
        (transition_mist - n.ngv) / (transition_mist - slug_transition);
    const Part s = slug(pt, n, sin_fi);
    const Part m = mist(pt, pt.rog * n.ngv / transition_mist, sin_fi);
    const double elevation = a * s.elevation + (1.0 - a) * m.elevation;
    const double friction = a * s.friction + (1.0 - a) * m.friction;
    const double holdup = a * s.holdup + (1.0 - a) * m.holdup;
    return lift::finish(elevation, friction, holdup,
                        PIPECORR_PATTERN_DR_TRANSITION);
  }
  const Part m = mist(pt, pt.rog, sin_fi);
  return lift::finish(m.elevation, m.friction, m.holdup,
                      PIPECORR_PATTERN_DR_MIST);
}

}  // namespace pipecorr::wells
