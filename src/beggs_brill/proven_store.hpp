// Faster forms of stored quantities that never change a stored bit.
//
// A stored quantity is a double rounded to float once (store()). A faster
// form of its formula (exp of a shared logarithm instead of pow, sqrt instead
// of the power 0.5, a product instead of a small integer power) gives a
// slightly different double; its float differs from the plain one only if
// the two doubles lie on either side of a float rounding midpoint. Each fast
// form therefore comes with a bound on its distance from the plain double,
// and its float is used only when the fast double lies farther than that from
// the nearest midpoint; otherwise the plain formula runs as before.
//
// The test assumes round-to-nearest, the mode every export runs the core in.
#pragma once

#include <bit>
#include <cstdint>
#include <limits>
#include <optional>

namespace pipecorr::bb {

// Which formulas a stored quantity comes from: the plain ones only, or the
// fast ones with the plain ones as the fallback. Both give the same bits;
// the plain path is kept for comparing and measuring the two.
enum class Evaluation { kPlain, kFast };

// Whether `fast` proves the float the plain formula stores (and, from
// store_proven, that float): `bound_ulps` bounds |fast - plain| in units
// in the last place of `fast`. Not proven when a float rounding midpoint
// lies within the bound, and whenever the proof would need more than the
// midpoint test: |fast| zero or in the subnormal float range (below
// 2^-126), at or beyond 2^128, NaN, or a bound that is NaN or not below
// 2^26 (so the interval never reaches past the neighbouring binade).
// Between 2^127 and 2^128 the midpoint above the largest float is the
// overflow threshold, so a proven infinity is the plain result too.
[[nodiscard]] inline bool proves(double fast, double bound_ulps) noexcept {
  if (!(bound_ulps < 0x1p26)) return false;
  const std::uint64_t bits = std::bit_cast<std::uint64_t>(fast);
  // Biased exponents 897 to 1150: 2^-126 <= |fast| < 2^128.
  const std::uint64_t exponent = (bits >> 52) & 0x7ff;
  if (exponent - 897 >= 254) return false;
  // A normal float keeps 24 of the 53 significand bits; the 29 dropped bits
  // measure the distance to the midpoint, 2^28, in ulps of `fast`: the test
  // is distance > bound_ulps, that is, distance > reach = floor(bound_ulps)
  // for the integer distance. With the dropped bits shifted by half their
  // range the midpoints fall on the multiples of 2^29: `fast` lies at least
  // reach + 1 below the one above (`high` stays short of it) and more than
  // reach above the one below (`low` stays past it) exactly when both
  // share the bits above the dropped ones. Counting in the bits is counting
  // in ulps of `fast` within its binade; past its lower end the steps
  // shrink, but the midpoint below a power of two lies 2^28 steps beyond
  // it, more than twice any reach (< 2^26). The sums move the magnitude
  // within the exponents above and never touch the sign bit. A bound that
  // is negative (never one of the fast forms') counts as zero; below 2^26
  // the whole ulps fit 32 bits.
  constexpr std::uint64_t kMidpoint = std::uint64_t{1} << 28;
  const double ulps = bound_ulps > 0.0 ? bound_ulps : 0.0;
  const auto reach =
      static_cast<std::uint64_t>(static_cast<std::int32_t>(ulps));
  const std::uint64_t low = bits + (kMidpoint - 1) - reach;
  const std::uint64_t high = bits + kMidpoint + reach;
  return ((low ^ high) >> 29) == 0;
}
[[nodiscard]] inline std::optional<float> store_proven(
    double fast, double bound_ulps) noexcept {
  if (!proves(fast, bound_ulps)) return std::nullopt;
  return static_cast<float>(fast);
}

// Bounds in ulps of the fast value from error bounds in units u = 2^-53:
// relative ones (both values' errors relative to the exact value, added),
// or absolute ones (in units u). u |fast| < ulp(fast); the factor covers the
// exact value's magnitude in place of the fast one's and the bound's own
// rounding (relative differences far below 2^-20 for any bound the test
// accepts), and the added ulp anything of second order.
[[nodiscard]] constexpr double ulps_from_relative(double units) noexcept {
  return units * (1.0 + 0x1p-20) + 1.0;
}
// An absolute bound of `units` u is units 2^-53 / ulp(fast) ulps, and
// ulp(fast) = 2^(e - 52) for 2^e <= |fast| < 2^(e + 1): units 2^(-1 - e),
// a power of two made from the exponent bits instead of a division. Outside
// the exponents store_proven takes (|fast| zero, tiny, huge or not finite)
// the scale is meaningless, and store_proven rejects `fast` all the same.
[[nodiscard]] inline double ulps_from_absolute(double units,
                                               double fast) noexcept {
  const std::uint64_t exponent =
      (std::bit_cast<std::uint64_t>(fast) >> 52) & 0x7ff;
  // 2^(-1 - e) has the biased exponent 1023 - 1 - (exponent - 1023). For
  // the exponents store_proven rejects it wraps to anything, harmlessly.
  const std::uint64_t biased = (2045 - exponent) & 0x7ff;
  const double scale = std::bit_cast<double>(biased << 52);
  return units * scale * (1.0 + 0x1p-20) + 1.0;
}

// A relative bound that grows with the size of an exponent or logarithm
// s: slope s + fixed units u, given in ulps as ulps_from_relative gives it,
// with both constants scaled ahead. Its two roundings at run time stay far
// below the factor's 2^-20. An infinite or NaN s gives a bound the test
// rejects.
struct GrowingBound {
  double slope;
  double fixed;
  [[nodiscard]] constexpr double at(double size) const noexcept {
    return slope * size + fixed;
  }
};
[[nodiscard]] constexpr GrowingBound growing_bound(
    double slope_units, double fixed_units) noexcept {
  return {slope_units * (1.0 + 0x1p-20), ulps_from_relative(fixed_units)};
}

// Passed as a bound, makes the plain formula run.
inline constexpr double kNotProven = std::numeric_limits<double>::infinity();

// How many times the plain formula had to run because a fast value was
// not proven, in the calling thread since it started. Never read by the
// core; for tests and profiles.
std::uint64_t fallbacks_in_this_thread() noexcept;

namespace detail {
void count_fallback() noexcept;
}

// The stored float of a quantity: the fast value's when proven, otherwise
// the plain formula's (`plain()`, the unchanged code).
template <typename Plain>
[[nodiscard]] float store_fast(double fast, double bound_ulps,
                               Plain&& plain) noexcept {
  if (proves(fast, bound_ulps)) [[likely]] {
    return static_cast<float>(fast);
  }
  detail::count_fallback();
  return plain();
}

}  // namespace pipecorr::bb
