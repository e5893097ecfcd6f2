#include "fluids/z_factor.hpp"

#include <cmath>
#include <limits>

#include "fluids/domain.hpp"
#include "fluids/fluid_error.hpp"

namespace pipecorr::fluids {
namespace {

// Relative step below which a root counts as found; a few ulps above the
// rounding of the residuals, so a settled root stops at once.
constexpr double kTolerance = 1e-12;

void check_reduced(double tpr, double ppr, const char* function) {
  detail::require_above(tpr, 0.0, domain::kMaxReducedTemperature, function,
                        "pseudo-reduced temperature");
  detail::require_within(ppr, 0.0, domain::kMaxReducedPressure, function,
                         "pseudo-reduced pressure");
}

// One step of Newton's method kept inside the bracket lo < x < hi of a
// rising function g (g(lo) < 0 < g(hi)); hi may be infinite while no upper
// bound is known, and the bracket then grows by doubling. Moves x and
// returns true once x has settled or the bracket has closed on it.
bool settle(double& x, double g, double dg, double& lo, double& hi) {
  const double newton = x - g / dg;
  if (std::fabs(newton - x) <= kTolerance * newton) {
    x = newton;
    return true;
  }
  if (g < 0.0) {
    lo = x;
  } else {
    hi = x;
  }
  if (newton > lo && newton < hi) {
    x = newton;
  } else {
    x = std::isfinite(hi) ? 0.5 * (lo + hi) : 2.0 * x;
  }
  return std::isfinite(hi) && hi - lo <= kTolerance * hi;
}

}  // namespace

ZResult hall_yarborough_z(double tpr, double ppr) {
  check_reduced(tpr, ppr, "hall_yarborough_z");
  if (ppr == 0.0) return {1.0, 0, true};
  const double t = 1.0 / tpr;
  const double a = 0.06125 * t * std::exp(-1.2 * (1.0 - t) * (1.0 - t));
  const double b = t * (14.76 - t * (9.76 - 4.58 * t));
  const double c = t * (90.7 - t * (242.2 - 42.4 * t));
  const double d = 2.18 + 2.82 * t;
  const double target = a * ppr;
  // f(y) rises from -a ppr at y = 0 to +infinity as y -> 1, so the reduced
  // density y has a root in (0, 1). Start from the ideal gas.
  double lo = 0.0;
  double hi = 1.0;
  double y = target < 0.9 ? target : 0.9;
  for (int i = 1; i <= kMaxZIterations; ++i) {
    const double y2 = y * y;
    const double one_minus = 1.0 - y;
    const double cube = one_minus * one_minus * one_minus;
    const double power = std::pow(y, d);
    const double f =
        -target + (y + y2 + y2 * y - y2 * y2) / cube - b * y2 + c * power;
    const double df = (1.0 + 4.0 * y + 4.0 * y2 - 4.0 * y2 * y + y2 * y2) /
                          (cube * one_minus) -
                      2.0 * b * y + c * d * power / y;
    if (settle(y, f, df, lo, hi)) return {target / y, i, true};
  }
  return {0.0, kMaxZIterations, false};
}

ZResult dranchuk_abou_kassem_z(double tpr, double ppr) {
  check_reduced(tpr, ppr, "dranchuk_abou_kassem_z");
  if (ppr == 0.0) return {1.0, 0, true};
  constexpr double A1 = 0.3265, A2 = -1.0700, A3 = -0.5339, A4 = 0.01569,
                   A5 = -0.05165, A6 = 0.5475, A7 = -0.7361, A8 = 0.1844,
                   A9 = 0.1056, A10 = 0.6134, A11 = 0.7210;
  const double u = 1.0 / tpr;
  const double u2 = u * u;
  const double u3 = u2 * u;
  const double c1 = A1 + A2 * u + A3 * u3 + A4 * u3 * u + A5 * u3 * u2;
  const double c2 = A6 + A7 * u + A8 * u2;
  const double c3 = A9 * (A7 * u + A8 * u2);
  const double c4 = A10 * u3;
  const double target = 0.27 * ppr * u;
  // With Z(rho) the fit in reduced density rho, g(rho) = rho Z(rho) -
  // 0.27 Ppr / Tpr starts at -0.27 Ppr / Tpr and grows without bound once
  // c3 < 0 (Tpr above 0.25); the bracket's top is found by doubling.
  double lo = 0.0;
  double hi = std::numeric_limits<double>::infinity();
  double rho = target;
  for (int i = 1; i <= kMaxZIterations; ++i) {
    const double r2 = rho * rho;
    const double r3 = r2 * rho;
    const double e = std::exp(-A11 * r2);
    const double g = rho + c1 * r2 + c2 * r3 - c3 * r3 * r3 +
                     c4 * r3 * (1.0 + A11 * r2) * e - target;
    const double dg = 1.0 + 2.0 * c1 * rho + 3.0 * c2 * r2 -
                      6.0 * c3 * r3 * r2 +
                      c4 * e * r2 * (3.0 + A11 * r2 * (3.0 - 2.0 * A11 * r2));
    if (settle(rho, g, dg, lo, hi)) return {target / rho, i, true};
  }
  return {0.0, kMaxZIterations, false};
}

ZResult z_factor(ZCorrelation correlation, double tpr, double ppr) {
  return correlation == ZCorrelation::kDranchukAbouKassem
             ? dranchuk_abou_kassem_z(tpr, ppr)
             : hall_yarborough_z(tpr, ppr);
}

}  // namespace pipecorr::fluids
