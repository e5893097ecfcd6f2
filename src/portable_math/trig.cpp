// sin x and cos x: x = n pi/2 + r (trig_reduction.hpp), then the series of
// sin r or cos r for |r| <= pi/4, to r^19 and r^20 (remainders below
// 2^-72). cos r = 1 - r^2/2 + ... keeps 1 - r^2/2 exact as a sum (r^2 by
// Dekker's product), so the only sizeable error is the last rounding.
// Stated bound: below 0.6 ulp for every finite x.
#include <limits>

#include "portable_math/coefficients.hpp"
#include "portable_math/portable_math.hpp"
#include "portable_math/trig_reduction.hpp"

namespace pipecorr::pm {
namespace {

using detail::DoubleDouble;

[[nodiscard]] double horner9(const double* c, double z) noexcept {
  return c[0] +
         z * (c[1] +
              z * (c[2] +
                   z * (c[3] +
                        z * (c[4] +
                             z * (c[5] +
                                  z * (c[6] + z * (c[7] + z * c[8])))))));
}

// sin r = r - r^3/6 + r^5 (...): r^3 and r^3/6 are exact as double-doubles,
// so the only roundings are those of the small parts and the last one.
[[nodiscard]] double sin_kernel(DoubleDouble r) noexcept {
  const DoubleDouble z = detail::two_prod(r.hi, r.hi);
  const DoubleDouble cube = detail::two_prod(r.hi, z.hi);
  const DoubleDouble sixth = detail::two_prod(cube.hi, detail::kMinusSixthHi);
  const DoubleDouble s = detail::two_sum(r.hi, sixth.hi);
  const double* c = detail::kSinSeries;
  const double zh = z.hi;
  const double rest =
      c[1] +
      zh * (c[2] +
            zh * (c[3] +
                  zh * (c[4] +
                        zh * (c[5] + zh * (c[6] + zh * (c[7] + zh * c[8]))))));
  const double lo = s.lo + sixth.lo +
                    (cube.hi * detail::kMinusSixthLo +
                     detail::kMinusSixthHi * (cube.lo + r.hi * z.lo)) +
                    cube.hi * zh * rest + r.lo * (1.0 - 0.5 * zh);
  return s.hi + lo;
}

[[nodiscard]] double cos_kernel(DoubleDouble r) noexcept {
  const DoubleDouble z = detail::two_prod(r.hi, r.hi);
  const double hz = 0.5 * z.hi;
  const double w = 1.0 - hz;
  const double err = (1.0 - w) - hz;  // exact: w + err = 1 - hz
  // r^4 C(r^2) from z.hi alone, plus its first-order share of the rest of
  // r^2 (z.lo + 2 r.hi r.lo): d(z^2 C)/dz is about z/12.
  const double rest = z.lo + 2.0 * r.hi * r.lo;
  const double tail = z.hi * z.hi * horner9(detail::kCosSeries, z.hi) +
                      rest * (z.hi * 0x1.5555555555555p-4);
  return w + (((err - 0.5 * z.lo) - r.hi * r.lo) + tail);
}

[[nodiscard]] bool finite(double x) noexcept { return x - x == 0.0; }

}  // namespace

double sin(double x) noexcept {
  if (!finite(x)) return std::numeric_limits<double>::quiet_NaN();
  const double a = x < 0.0 ? -x : x;
  if (a < 0x1p-27) return x;  // x^3/6 is below half an ulp of x
  if (a <= 0.78539816339744828) return sin_kernel({x, 0.0});
  const detail::Reduced red = detail::reduce_quarter_pi(x);
  switch (red.quadrant) {
    case 0:
      return sin_kernel(red.r);
    case 1:
      return cos_kernel(red.r);
    case 2:
      return -sin_kernel(red.r);
    default:
      return -cos_kernel(red.r);
  }
}

double cos(double x) noexcept {
  if (!finite(x)) return std::numeric_limits<double>::quiet_NaN();
  const double a = x < 0.0 ? -x : x;
  if (a < 0x1p-27) return 1.0;  // x^2/2 is below half an ulp of 1
  if (a <= 0.78539816339744828) return cos_kernel({x, 0.0});
  const detail::Reduced red = detail::reduce_quarter_pi(x);
  switch (red.quadrant) {
    case 0:
      return cos_kernel(red.r);
    case 1:
      return -sin_kernel(red.r);
    case 2:
      return -cos_kernel(red.r);
    default:
      return sin_kernel(red.r);
  }
}

}  // namespace pipecorr::pm
