// The natural logarithm of a float, inline and without the maths library,
// for the fast forms (proven_store.hpp): a result with a stated error bound
// that is the same on every platform.
#pragma once

#include <bit>
#include <cmath>
#include <cstdint>

namespace pipecorr::bb {

namespace detail {
struct LogRow {
  double invc;  // about 1/c for the subinterval's centre c, 20 bits
  double logc;  // -ln(invc), rounded to double once
};
// 128 subintervals of [0x1.66p-1, 0x1.66p+0), uniform in the float's bits.
extern const LogRow kLogRows[128];
}  // namespace detail

// ln x for a float x > 0 (also subnormal); -inf for zero, and the maths
// library's result (NaN or +inf) for the rest.
//
// x = 2^k z with z in [0x1.66p-1, 0x1.66p+0), so that ln z is small near
// x = 1; r = z invc - 1 is exact (z has 24 significant bits and invc 20, and
// z invc lies within a factor 2 of 1), |r| < 2^-8; and
//   ln x = k ln 2 + logc + ln(1 + r),
// ln(1 + r) by its series to r^6 (the remainder is below 2^-58).
[[nodiscard]] inline double log_of_float(float x) noexcept {
  constexpr std::uint32_t kOffset = 0x3f330000;  // 0x1.66p-1
  std::uint32_t ix = std::bit_cast<std::uint32_t>(x);
  int k_adjust = 0;
  if (ix - 0x00800000u >= 0x7f800000u - 0x00800000u) {
    if (ix == 0) return -HUGE_VAL;
    if (ix >= 0x00800000u) return std::log(static_cast<double>(x));
    ix = std::bit_cast<std::uint32_t>(x * 0x1p23f);  // subnormal: exact
    k_adjust = -23;
  }
  const std::uint32_t tmp = ix - kOffset;
  const detail::LogRow& row = detail::kLogRows[(tmp >> 16) & 127];
  const int k = (static_cast<std::int32_t>(tmp) >> 23) + k_adjust;
  const float z = std::bit_cast<float>(ix - (tmp & 0xff800000u));
  const double r = static_cast<double>(z) * row.invc - 1.0;
  constexpr double kLn2 = 0x1.62e42fefa39efp-1;
  const double y0 = static_cast<double>(k) * kLn2 + row.logc;
  const double r2 = r * r;
  const double q =
      (-0.5 + r * 0x1.5555555555555p-2) +
      r2 * ((-0.25 + r * 0x1.999999999999ap-3) + r2 * -0x1.5555555555555p-3);
  return y0 + (r + r2 * q);
}

// A bound on |log_of_float(x) - ln x| in units u = 2^-53, from the result L
// (finite). ln 2 and logc are rounded once (u |k ln 2| and u |logc|), so are
// k ln 2 (u |k ln 2|), y0 (u |y0|) and the final sum (u |L|); the series'
// part is below 0.004, its rounding and remainder below u * 0.004 + 2^-58.
// With |logc| < 0.36 and |k ln 2| <= |L| + 0.36 that is at most
// u (4 |L| + 3).
[[nodiscard]] constexpr double log_of_float_error(double log) noexcept {
  return 4.0 * (log < 0.0 ? -log : log) + 3.0;
}

}  // namespace pipecorr::bb
