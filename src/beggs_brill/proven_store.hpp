// Faster forms of stored quantities that never change a stored bit.
//
// A stored quantity is a double rounded to float once (store()). A faster
// form of its formula (exp of a shared logarithm instead of pow, sqrt instead
// of the power 0.5, a product instead of a small integer power) gives a
// slightly different double; its float differs from the present one only if
// the two doubles lie on either side of a float rounding midpoint. Each fast
// form therefore comes with a bound on its distance from the present double,
// and its float is used only when the fast double lies farther than that from
// the nearest midpoint; otherwise the present formula runs as before.
//
// The test assumes round-to-nearest, the mode every export runs the core in.
#pragma once

#include <bit>
#include <cstdint>
#include <limits>
#include <optional>

namespace pipecorr::bb {

// Which formulas a stored quantity comes from: the present ones only, or the
// fast ones with the present ones as the fallback. Both give the same bits;
// the exact path is kept for comparing and measuring the two.
enum class Evaluation { kExact, kFast };

// The float the present formula stores, when `fast` proves it: `bound_ulps`
// bounds |fast - present| in units in the last place of `fast`. Empty when a
// float rounding midpoint lies within the bound, and whenever the proof
// would need more than the midpoint test: |fast| zero or in the subnormal
// float range (below 2^-126), at or beyond 2^128, NaN, or a bound that is
// NaN or not below 2^26 (so the interval never reaches past the neighbouring
// binade). Between 2^127 and 2^128 the midpoint above the largest float is
// the overflow threshold, so a proven infinity is the present result too.
[[nodiscard]] inline std::optional<float> store_proven(
    double fast, double bound_ulps) noexcept {
  const double magnitude = fast < 0.0 ? -fast : fast;
  if (!(magnitude >= 0x1p-126 && magnitude < 0x1p128)) return std::nullopt;
  if (!(bound_ulps < 0x1p26)) return std::nullopt;
  // A normal float keeps 24 of the 53 significand bits; the 29 dropped bits
  // measure the distance to the midpoint, 2^28, in ulps of `fast`.
  constexpr std::uint64_t kDropped = (std::uint64_t{1} << 29) - 1;
  constexpr std::uint64_t kMidpoint = std::uint64_t{1} << 28;
  const std::uint64_t dropped = std::bit_cast<std::uint64_t>(fast) & kDropped;
  const std::uint64_t distance =
      dropped > kMidpoint ? dropped - kMidpoint : kMidpoint - dropped;
  if (!(static_cast<double>(distance) > bound_ulps)) return std::nullopt;
  return static_cast<float>(fast);
}

// Bounds in ulps of the fast value from error bounds in units u = 2^-53:
// relative ones (both values' errors relative to the exact value, added),
// or absolute ones (in units u, over |fast|). u |fast| < ulp(fast); the
// factor covers the exact value's magnitude in place of the fast one's and
// the bound's own rounding (relative differences far below 2^-20 for any
// bound the test accepts), and the added ulp anything of second order.
[[nodiscard]] constexpr double ulps_from_relative(double units) noexcept {
  return units * (1.0 + 0x1p-20) + 1.0;
}
[[nodiscard]] inline double ulps_from_absolute(double units,
                                               double fast) noexcept {
  const double magnitude = fast < 0.0 ? -fast : fast;
  return units / magnitude * (1.0 + 0x1p-20) + 1.0;
}

// Passed as a bound, makes the present formula run.
inline constexpr double kNotProven = std::numeric_limits<double>::infinity();

// How many times the present formula had to run because a fast value was
// not proven, in the calling thread since it started. Never read by the
// core; for tests and profiles.
std::uint64_t fallbacks_in_this_thread() noexcept;

namespace detail {
void count_fallback() noexcept;
}

// The stored float of a quantity: the fast value's when proven, otherwise
// the present formula's (`present()`, the unchanged code).
template <typename Present>
[[nodiscard]] float store_fast(double fast, double bound_ulps,
                               Present&& present) noexcept {
  if (const std::optional<float> proven = store_proven(fast, bound_ulps)) {
    return *proven;
  }
  detail::count_fallback();
  return present();
}

}  // namespace pipecorr::bb
