// sin inline and without the maths library, for the fast forms
// (proven_store.hpp): a result with a stated error bound that is the same on
// every platform, over the angles the correlation meets (a pipe's
// inclination, and 1.8 times it, in radians).
#pragma once

#include <cmath>
#include <cstdint>

namespace pipecorr::bb {

// The arguments sin_inline takes: |x| <= 3.
inline constexpr double kSinInlineLimit = 3.0;

// sin x for |x| <= kSinInlineLimit (beyond it, the maths library's sin).
//
// x = k pi/2 + r with k the nearest integer to x 2/pi (give or take the
// rounding of that product), |k| <= 2 and |r| < 0.79. pi/2 = hi + lo + tail
// with hi of 33 significant bits, lo rounded to double, |tail| < 2^-87:
// k hi is exact, and so is x - k hi (for k = +-1, |x| lies within
// [hi/2, 2 hi]; for k = +-2, within [hi, 4 hi]); r rounds once more. Then
//   sin x = sin r, cos r, -sin r, -cos r for k = 0, 1, 2, 3 modulo 4,
// sin r by its series to r^15 (the first term left out is below
// |r|^17 / 17! < 0.8 u |sin r| for |r| < 0.8), cos r by its series to r^16
// (the rest below 2^-58).
[[nodiscard]] inline double sin_inline(double x) noexcept {
  if (!(x <= kSinInlineLimit && x >= -kSinInlineLimit)) return std::sin(x);
  constexpr double kTwoOverPi = 0x1.45f306dc9c883p-1;
  constexpr double kShift = 0x1.8p52;  // rounds to an integer when added
  constexpr double kHalfPiHi = 0x1.921fb54400000p+0;  // 33 bits
  constexpr double kHalfPiLo = 0x1.0b4611a626331p-34;
  const double kd = (x * kTwoOverPi + kShift) - kShift;
  const auto k = static_cast<std::int32_t>(kd);
  const double r = (x - kd * kHalfPiHi) - kd * kHalfPiLo;
  const double r2 = r * r;
  double v = 0.0;
  if ((k & 1) == 0) {
    const double q =
        -0x1.5555555555555p-3 +
        r2 * (0x1.1111111111111p-7 +
              r2 * (-0x1.a01a01a01a01ap-13 +
                    r2 * (0x1.71de3a556c734p-19 +
                          r2 * (-0x1.ae64567f544e4p-26 +
                                r2 * (0x1.6124613a86d09p-33 +
                                      r2 * -0x1.ae7f3e733b81fp-41)))));
    v = r + r * (r2 * q);
  } else {
    const double q =
        0x1.5555555555555p-5 +
        r2 * (-0x1.6c16c16c16c17p-10 +
              r2 * (0x1.a01a01a01a01ap-16 +
                    r2 * (-0x1.27e4fb7789f5cp-22 +
                          r2 * (0x1.1eed8eff8d898p-29 +
                                r2 * (-0x1.93974a8c07c9dp-37 +
                                      r2 * 0x1.ae7f3e733b81fp-45)))));
    v = 1.0 + r2 * (-0.5 + r2 * q);
  }
  return (k & 2) == 0 ? v : -v;
}

// A bound on |sin_inline(x) - sin x| / |sin x| in units u = 2^-53, for
// 0 < |x| <= kSinInlineLimit. The reduction: r is off by u |r| (its last
// rounding) and by 2^-85 (k lo and the tail); sin r moves by at most as
// much relative (cot r dr <= dr / r), cos r by tan r |dr| <= u (|r| < 0.8),
// and for k = +-2, |r| >= pi - 3 keeps 2^-85 / |r| negligible. sin r: the
// correction r r^2 q is below 0.11 |r| and off by 4.5 u of itself (r^2,
// Horner's steps near -1/6, the two products), the last sum rounds by u of
// sin r >= 0.89 |r|, and the series' rest adds 0.8 u: 2.4 u. cos r:
// r^2 (-1/2 + r^2 q) is below 0.32 and off by 3 u of itself (r^2, the
// bracket, the product), the last sum rounds by u of cos r >= 0.69: 2.4 u.
// With the reduction (u for sin r, 0.82 u for cos r), at most 3.4 u;
// stated with a margin.
inline constexpr double kSinInlineError = 5.0;

}  // namespace pipecorr::bb
