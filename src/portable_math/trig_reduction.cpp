// Reduction by multiples of pi/2.
//
// |x| < 2^20 pi/2: n = nearest integer to x 2/pi (< 2^21), and
// r = x - n pi/2 with pi/2 in four parts, the first three of 32 bits, so
// n times each is exact and the first difference is exact (Sterbenz); the
// rest is summed as a double-double. The smallest |r| for a double in this
// range is far above the 2^-150 the parts leave out.
//
// Beyond: x = M 2^q (M the 53-bit integer significand), and
// x 2/pi = sum over k of M C[k] 2^(q - 24 (k + 1)) with C the 24-bit digits
// of 2/pi (tables.cpp). Terms of weight 2^3 or more are multiples of 8 and
// dropped; M in three 24-bit parts times a digit is exact, and the products
// of equal weight are summed exactly in 64-bit integers, then carried into
// 24-bit digits: nine digit levels, down to 2^-190 below the first kept
// weight, which is 2^-24 or finer. The worst case for a double (x mod pi/2
// about 2^-61) keeps more than 100 bits of r.
#include "portable_math/trig_reduction.hpp"

#include <bit>
#include <cstdint>

#include "portable_math/coefficients.hpp"
#include "portable_math/tables.hpp"

namespace pipecorr::pm::detail {
namespace {

constexpr int kLevels = 9;

[[nodiscard]] Reduced reduce_cody_waite(double x) noexcept {
  const double n = nearest_integer(x * kTwoOverPi53);
  const double t = x - n * kPio2Part[0];  // exact
  const DoubleDouble s = two_sum(t, -n * kPio2Part[1]);
  const DoubleDouble s2 = two_sum(s.hi, -n * kPio2Part[2]);
  const double lo = (s.lo + s2.lo) - n * kPio2Part[3];
  const DoubleDouble r = two_sum(s2.hi, lo);
  const auto q = static_cast<std::int64_t>(n);
  return {r, static_cast<int>(q & 3)};
}

[[nodiscard]] Reduced reduce_large(double x) noexcept {
  const std::uint64_t bits = std::bit_cast<std::uint64_t>(x);
  const bool negative = bits >> 63 != 0;
  const int biased = static_cast<int>((bits >> 52) & 0x7ff);
  const std::uint64_t m = (bits & 0x000fffffffffffffULL) | (1ULL << 52);
  const int q = biased - 1023 - 52;  // x = m 2^q, q >= -32 here
  // Level g holds the products of weight 2^(q - 24 g); the first kept
  // level g0 is the least g with q - 24 g < 3.
  const int g0 = (q - 3 >= 0 ? (q - 3) / 24 : -((26 - q) / 24)) + 1;
  const int w = q - 24 * g0;  // in [-21, 2]
  const std::uint64_t part[3] = {m & 0xffffff, (m >> 24) & 0xffffff, m >> 48};
  std::uint64_t level[kLevels];
  for (int j = 0; j < kLevels; ++j) {
    std::uint64_t sum = 0;
    for (int a = 0; a < 3; ++a) {
      const int k = g0 + j - 1 + a;
      if (k >= 0) {
        sum += part[a] * static_cast<std::uint64_t>(kTwoOverPi[k]);
      }
    }
    level[j] = sum;
  }
  // Carry into 24-bit digits from the finest level up.
  for (int j = kLevels - 1; j > 0; --j) {
    level[j - 1] += level[j] >> 24;
    level[j] &= 0xffffff;
  }
  // y = sum level[j] 2^(w - 24 j), reduced mod 8 in its first level.
  const double mod_scale = power_of_two(3 - w);
  const auto top_units = static_cast<std::uint64_t>(mod_scale);
  const double a0 = static_cast<double>(level[0] % top_units) * power_of_two(w);
  const double a1 = static_cast<double>(level[1]) * power_of_two(w - 24);
  const double s = a0 + a1;  // exact: 48 bits at most
  const double n = nearest_integer(s);
  const double f0 = s - n;  // exact
  auto digit = [&](int j) {
    return static_cast<double>(level[j]) * power_of_two(w - 24 * j);
  };
  const double t1 = digit(2) + digit(3);  // exact
  const double t2 = digit(4) + digit(5);  // exact
  const double t3 = digit(6) + digit(7) + digit(8);
  const DoubleDouble f1 = two_sum(f0, t1);
  const DoubleDouble f = two_sum(f1.hi, f1.lo + (t2 + t3));
  // r = f pi/2.
  const DoubleDouble p = two_prod(f.hi, kPio2Hi);
  const double lo = p.lo + (f.hi * kPio2Lo + f.lo * kPio2Hi);
  DoubleDouble r = fast_two_sum(p.hi, lo);
  int quadrant = static_cast<int>(static_cast<std::int64_t>(n) & 3);
  if (negative) {
    r = {-r.hi, -r.lo};
    quadrant = (4 - quadrant) & 3;
  }
  return {r, quadrant};
}

}  // namespace

Reduced reduce_quarter_pi(double x) noexcept {
  const double a = x < 0.0 ? -x : x;
  if (a < 0x1p20 * kPio2Hi) return reduce_cody_waite(x);
  return reduce_large(x);
}

}  // namespace pipecorr::pm::detail
