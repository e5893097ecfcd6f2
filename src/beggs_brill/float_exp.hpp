// exp inline and without the maths library, for the fast forms
// (proven_store.hpp): a result with a stated error bound that is the same on
// every platform.
#pragma once

#include <bit>
#include <cmath>
#include <cstdint>

namespace pipecorr::bb {

namespace detail {
// 2^(j/64), j = 0..63, each rounded to double once.
extern const double kExp2Rows[64];
}  // namespace detail

// The size of exponent every fast form keeps to: below it every power,
// product and quotient of the plain formulas, and exp_inline's result,
// stay inside the normal double range (e^700 < 2^1010), where the relative
// bounds hold; and exp_inline's k stays below 2^16.
inline constexpr double kExponentLimit = 700.0;

// e^t. For |t| < kExponentLimit, t = (k/64) ln 2 + r with k the nearest
// integer to t 64/ln 2 (give or take the rounding of that product),
// |r| < 0.00542, and r off by at most u |r| + 2^-81: k ln2_hi is exact
// (ln2_hi has 37 significant bits, |k| < 2^16) and t - k ln2_hi too (the
// two lie within a factor 2 of each other, or k = 0); then
//   e^t = 2^(k div 64) 2^((k mod 64)/64) e^r,
// e^r - 1 by its series to r^5 (the remainder is below 2^-54.7 relative).
// Beyond kExponentLimit the maths library's exp.
[[nodiscard]] inline double exp_inline(double t) noexcept {
  if (!(t < kExponentLimit && t > -kExponentLimit)) return std::exp(t);
  constexpr double kScale = 0x1.71547652b82fep+6;  // 64 / ln 2
  constexpr double kShift = 0x1.8p52;  // rounds to an integer when added
  constexpr double kLn2Hi = 0x1.62e42fefa0000p-7;   // (ln 2)/64, 37 bits
  constexpr double kLn2Lo = 0x1.cf79abc9e3b3ap-46;  // the rest of it
  const double kd = (t * kScale + kShift) - kShift;
  const auto k = static_cast<std::int32_t>(kd);
  const double r = (t - kd * kLn2Hi) - kd * kLn2Lo;
  const double r2 = r * r;
  const double p =
      r + r2 * ((0.5 + r * 0x1.5555555555555p-3) +
                r2 * (0x1.5555555555555p-5 + r * 0x1.1111111111111p-7));
  const std::uint64_t bits =
      std::bit_cast<std::uint64_t>(detail::kExp2Rows[k & 63]) +
      (static_cast<std::uint64_t>(k >> 6) << 52);
  const double scale = std::bit_cast<double>(bits);
  return scale + scale * p;
}

// A bound on |exp_inline(t) - e^t| / e^t in units u = 2^-53, for
// |t| < kExponentLimit:
// the table value rounds by u, the series' remainder stays below 0.34 u, r
// and the series' part (below 0.0055) carry below 0.03 u, and the last
// product and sum round by u of their values.
inline constexpr double kExpInlineError = 3.0;

}  // namespace pipecorr::bb
