// Error-free transformations of IEEE double arithmetic, the tools every
// portable function uses to carry more than 53 bits: a sum or a product
// split exactly into its rounded value and the rounding error. Only +, -
// and * under round-to-nearest, so no fused multiply-add is needed (none
// may be assumed: the 32-bit targets have none, and contraction is off).
#pragma once

#include <bit>
#include <cstdint>

namespace pipecorr::pm::detail {

// An unevaluated sum hi + lo, |lo| at most about half an ulp of hi.
struct DoubleDouble {
  double hi;
  double lo;
};

// a + b = s + e exactly (Knuth's TwoSum, any order of magnitudes).
[[nodiscard]] inline DoubleDouble two_sum(double a, double b) noexcept {
  const double s = a + b;
  const double bb = s - a;
  const double e = (a - (s - bb)) + (b - bb);
  return {s, e};
}

// a + b = s + e exactly when |a| >= |b| or a = 0 (Dekker's FastTwoSum).
[[nodiscard]] inline DoubleDouble fast_two_sum(double a, double b) noexcept {
  const double s = a + b;
  return {s, b - (s - a)};
}

// a = hi + lo with hi of 26 significant bits (Veltkamp's split). |a| must
// be below 2^995 so that the scaled value cannot overflow.
[[nodiscard]] inline DoubleDouble split(double a) noexcept {
  constexpr double kSplitter = 134217729.0;  // 2^27 + 1
  const double t = kSplitter * a;
  const double hi = t - (t - a);
  return {hi, a - hi};
}

// a b = p + e exactly (Dekker's product), unless a product of the parts
// underflows; |a| and |b| below 2^995.
[[nodiscard]] inline DoubleDouble two_prod(double a, double b) noexcept {
  const double p = a * b;
  const DoubleDouble as = split(a);
  const DoubleDouble bs = split(b);
  const double e =
      ((as.hi * bs.hi - p) + as.hi * bs.lo + as.lo * bs.hi) + as.lo * bs.lo;
  return {p, e};
}

// 2^k as a double for -1022 <= k <= 1023.
[[nodiscard]] inline double power_of_two(int k) noexcept {
  return std::bit_cast<double>(static_cast<std::uint64_t>(k + 1023) << 52);
}

// v 2^k with one rounding at most (v normal, |k| <= 2100): exact unless the
// result is subnormal, where it is rounded once, or beyond the range.
[[nodiscard]] inline double scale(double v, int k) noexcept {
  if (k > 1023) {
    v *= 0x1p1023;
    k -= 1023;
    if (k > 1023) {
      v *= 0x1p1023;
      k -= 1023;
    }
    return v * power_of_two(k > 1023 ? 1023 : k);
  }
  if (k < -1022) {
    // Two steps, the last one the only rounding: v 2^(k + 1000) is normal
    // for any k the functions pass.
    if (k < -2000) return v * 0.0;
    return (v * power_of_two(k + 1000)) * 0x1p-1000;
  }
  return v * power_of_two(k);
}

// The nearest integer to |v| < 2^51 (ties to even), as a double.
[[nodiscard]] inline double nearest_integer(double v) noexcept {
  constexpr double kShift = 0x1.8p52;
  return (v + kShift) - kShift;
}

}  // namespace pipecorr::pm::detail
