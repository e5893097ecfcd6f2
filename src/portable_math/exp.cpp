// e^x: x = (k/128) ln 2 + r, |r| <= (ln 2)/256 (give or take the rounding
// of x 128/ln 2), so e^x = 2^(k div 128) 2^((k mod 128)/128) e^r with the
// table's 2^(j/128) as double-doubles and e^r - 1 by its series to r^7
// (remainder below 2^-75). r is carried as a double-double: k ln2/128 is
// split into a 35-bit part, whose product with |k| < 2^18 is exact and
// whose difference from x is exact (Sterbenz), and the rest.
#include "portable_math/coefficients.hpp"
#include "portable_math/kernels.hpp"
#include "portable_math/portable_math.hpp"
#include "portable_math/tables.hpp"

#include <cstdint>
#include <limits>

namespace pipecorr::pm {
namespace detail {

ScaledDoubleDouble exp_core(DoubleDouble t) noexcept {
  const double kd = nearest_integer(t.hi * kExpInvStep);
  const auto k = static_cast<std::int32_t>(kd);
  const double r_hi0 = t.hi - kd * kExpStepHi;  // exact
  const DoubleDouble r = two_sum(r_hi0, -kd * kExpStepLo);
  const double r_lo = r.lo + t.lo;
  // e^r - 1 = r + r^2 (1/2 + r/6 + ...): the r^2 term from the high part
  // alone is short by r_hi r_lo, below 2^-110.
  const double x = r.hi;
  const double* c = kExpSeries;
  const double tail =
      c[1] + x * (c[2] + x * (c[3] + x * (c[4] + x * c[5])));  // 1/6 ...
  const DoubleDouble sq = two_prod(x, x);
  const double p_lo = r_lo + x * r_lo + sq.lo * 0.5 + sq.hi * (x * tail);
  // p = x + 0.5 sq.hi + p_lo, |p| < 0.0028.
  const DoubleDouble p = fast_two_sum(x, 0.5 * sq.hi);
  const double p_hi = p.hi;
  const double p_rest = p.lo + p_lo;
  // 2^(j/128) (1 + p) = T.hi + (T.hi p + T.lo (1 + p)).
  const DoubleDouble& row = kExp2[k & 127];
  const DoubleDouble tp = two_prod(row.hi, p_hi);
  const double lo = tp.lo + row.hi * p_rest + row.lo + row.lo * p_hi;
  const DoubleDouble s = fast_two_sum(row.hi, tp.hi);
  const DoubleDouble v = fast_two_sum(s.hi, s.lo + lo);
  return {v, k >> 7};
}

}  // namespace detail

// Beyond 709.79 the result overflows and below -745.14 it is below half
// the least subnormal; between, one rounding of a value within 2^-68
// (relative) of e^x, two in the subnormal range (faithful there too).
double exp(double x) noexcept {
  if (!(x < 709.8)) {
    return x != x ? x : std::numeric_limits<double>::infinity();
  }
  if (x < -745.2) return 0.0;
  if (x < 0x1p-54 && x > -0x1p-54) return 1.0 + x;
  const detail::ScaledDoubleDouble r = detail::exp_core({x, 0.0});
  return detail::scale(r.v.hi + r.v.lo, r.e);
}

}  // namespace pipecorr::pm
