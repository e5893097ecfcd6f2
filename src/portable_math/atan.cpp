// atan x. For 0 <= u < 3/32 its Taylor series to u^21 (remainder below
// 2^-72 relative). For 3/32 <= u < 4 + 1/32: c = i/16 the nearest
// sixteenth, atan u = atan c + atan t with t = (u - c)/(1 + u c),
// |t| < 1/32: u - c is exact (Sterbenz), 1 + u c and the quotient are
// carried as double-doubles, atan c is a table double-double, and atan t
// by its series to t^13 (remainder below 2^-73). Beyond, atan u =
// pi/2 - atan(1/u) with the rounding error of 1/u added back to first
// order. Stated bound: below 0.6 ulp.
#include <limits>

#include "portable_math/coefficients.hpp"
#include "portable_math/portable_math.hpp"
#include "portable_math/tables.hpp"

namespace pipecorr::pm {
namespace {

using detail::DoubleDouble;

// atan u = hi + lo for 0 <= u < 4 + 1/32, lo not yet added.
[[nodiscard]] DoubleDouble atan_parts(double u) noexcept {
  const double* c = detail::kAtanSeries;
  if (u < 0.09375) {
    const double z = u * u;
    const double p =
        c[0] +
        z * (c[1] +
             z * (c[2] +
                  z * (c[3] +
                       z * (c[4] +
                            z * (c[5] +
                                 z * (c[6] +
                                      z * (c[7] + z * (c[8] + z * c[9]))))))));
    return {u, u * (z * p)};
  }
  const double id = detail::nearest_integer(16.0 * u);
  const double ct = id * 0.0625;
  const double num = u - ct;  // exact
  const DoubleDouble uc = detail::two_prod(u, ct);
  const DoubleDouble den = detail::two_sum(1.0, uc.hi);
  const double den_lo = den.lo + uc.lo;
  const double t0 = num / den.hi;
  const DoubleDouble td = detail::two_prod(t0, den.hi);
  const double t_lo = (((num - td.hi) - td.lo) - t0 * den_lo) / den.hi;
  const double z = t0 * t0;
  const double p =
      c[0] + z * (c[1] + z * (c[2] + z * (c[3] + z * (c[4] + z * c[5]))));
  const DoubleDouble& row = detail::kAtan[static_cast<int>(id)];
  const DoubleDouble s = detail::two_sum(row.hi, t0);
  return {s.hi, s.lo + (row.lo + t_lo + t0 * (z * p))};
}

}  // namespace

double atan(double x) noexcept {
  if (x != x) return x;
  const double a = x < 0.0 ? -x : x;
  const double sign = x < 0.0 ? -1.0 : 1.0;
  if (a < 0x1p-27) return x;  // x^3/3 below half an ulp
  if (a < 4.03125) {
    const DoubleDouble p = atan_parts(a);
    return sign * (p.hi + p.lo);
  }
  if (a > 0x1p60) return sign * (detail::kPio2Hi + detail::kPio2Lo);
  const double u = 1.0 / a;
  // The exact 1/a is u + d, d = (1 - u a)/a; atan(u + d) = atan u + d/(1+u^2).
  const DoubleDouble ua = detail::two_prod(u, a);
  const double d = ((1.0 - ua.hi) - ua.lo) / a;
  const DoubleDouble p = atan_parts(u);
  const DoubleDouble h = detail::two_sum(detail::kPio2Hi, -p.hi);
  const double lo = h.lo + (detail::kPio2Lo - p.lo - d / (1.0 + u * u));
  return sign * (h.hi + lo);
}

}  // namespace pipecorr::pm
