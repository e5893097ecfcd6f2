// tanh x. |x| < 1/8: its Taylor series to x^21 (remainder below 2^-63
// relative). 1/8 <= |x| < 22: (E - 1)/(E + 1) with E = e^(2|x|) as a
// double-double from the exp core, both sums and the quotient carried as
// double-doubles, so only the last rounding counts (E - 1 >= 0.28 E / 2.8,
// no cancellation). Beyond 22, +-1 (1 - tanh 22 < 2^-63).
#include <limits>

#include "portable_math/coefficients.hpp"
#include "portable_math/kernels.hpp"
#include "portable_math/portable_math.hpp"

namespace pipecorr::pm {

double tanh(double x) noexcept {
  if (x != x) return x;
  const double a = x < 0.0 ? -x : x;
  const double sign = x < 0.0 ? -1.0 : 1.0;
  if (a >= 22.0) return sign;
  if (a < 0.125) {
    if (a < 0x1p-27) return x;
    const double z = x * x;
    const double* c = detail::kTanhSeries;
    const double p =
        c[0] +
        z * (c[1] +
             z * (c[2] +
                  z * (c[3] +
                       z * (c[4] +
                            z * (c[5] +
                                 z * (c[6] +
                                      z * (c[7] + z * (c[8] + z * c[9]))))))));
    return x + x * (z * p);
  }
  const detail::ScaledDoubleDouble s = detail::exp_core({2.0 * a, 0.0});
  const double unit = detail::power_of_two(s.e);
  const double e_hi = s.v.hi * unit;
  const double e_lo = s.v.lo * unit;
  const detail::DoubleDouble num0 = detail::two_sum(e_hi, -1.0);
  const detail::DoubleDouble den0 = detail::two_sum(e_hi, 1.0);
  const double num_lo = num0.lo + e_lo;
  const double den_lo = den0.lo + e_lo;
  const double q0 = num0.hi / den0.hi;
  const detail::DoubleDouble qd = detail::two_prod(q0, den0.hi);
  const double rem = (((num0.hi - qd.hi) - qd.lo) + num_lo) - q0 * den_lo;
  return sign * (q0 + rem / den0.hi);
}

}  // namespace pipecorr::pm
