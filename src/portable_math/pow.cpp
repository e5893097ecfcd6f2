// x^y = e^(y ln x) with ln x as a double-double (relative error below
// 2^-66), the product y ln x carried as a double-double, and e^t from the
// same core as exp (relative error below 2^-68): the value before the last
// rounding is within 2^-66 |t| + 2^-67 of x^y, relative, which for
// |t| < 746 is at most 0.02 ulp. Exact results (2^10, 9^0.5, 10^-2 ...)
// therefore come out exact. The special values are those of C99's pow.
#include <bit>
#include <cstdint>
#include <limits>

#include "portable_math/kernels.hpp"
#include "portable_math/portable_math.hpp"

namespace pipecorr::pm {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

// 0: y is not an integer; 1: an odd integer; 2: an even integer.
[[nodiscard]] int integer_kind(double y) noexcept {
  const double a = y < 0.0 ? -y : y;
  if (a >= 0x1p53) return a < kInf ? 2 : 0;
  if (detail::nearest_integer(a) != a) return 0;
  const double half = a * 0.5;
  return detail::nearest_integer(half) == half ? 2 : 1;
}

// |x|^y for |x| > 0 finite, y finite and nonzero, x != 1.
[[nodiscard]] double pow_positive(double x, double y) noexcept {
  const detail::DoubleDouble l = detail::log_core(x);
  const double t_hi = y * l.hi;
  if (t_hi > 709.8) return kInf;
  if (t_hi < -745.2) return 0.0;
  if (t_hi < 0x1p-60 && t_hi > -0x1p-60) return 1.0 + t_hi;
  // |ln x| > 2^-54 for x != 1, so |y| < 2^64 here: the split cannot
  // overflow.
  const detail::DoubleDouble p = detail::two_prod(y, l.hi);
  const detail::DoubleDouble t = detail::fast_two_sum(p.hi, p.lo + y * l.lo);
  const detail::ScaledDoubleDouble r = detail::exp_core(t);
  return detail::scale(r.v.hi + r.v.lo, r.e);
}

}  // namespace

double pow(double x, double y) noexcept {
  if (y == 0.0 || x == 1.0) return 1.0;
  if (x != x || y != y) return std::numeric_limits<double>::quiet_NaN();
  const double ax = x < 0.0 ? -x : x;
  const double ay = y < 0.0 ? -y : y;
  if (ay == kInf) {
    if (ax == 1.0) return 1.0;
    return (ax < 1.0) == (y < 0.0) ? kInf : 0.0;
  }
  const bool negative = std::bit_cast<std::uint64_t>(x) >> 63 != 0;
  const int kind = negative ? integer_kind(y) : 2;
  if (ax == 0.0) {
    const double zero_sign = negative && kind == 1 ? -1.0 : 1.0;
    return zero_sign * (y < 0.0 ? kInf : 0.0);
  }
  if (negative && kind == 0) {
    if (ax == kInf) return y < 0.0 ? 0.0 : kInf;
    return std::numeric_limits<double>::quiet_NaN();
  }
  const double sign = negative && kind == 1 ? -1.0 : 1.0;
  if (ax == kInf) return sign * (y < 0.0 ? 0.0 : kInf);
  return sign * pow_positive(ax, y);
}

}  // namespace pipecorr::pm
