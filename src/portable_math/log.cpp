// ln x and log10 x. x = 2^e m, m in [1, 2); row i of the table from the top
// seven bits of m's fraction; rows from 53 on use m/2 and e + 1, so the
// reduced argument z lies in [0.707, 1.414) and ln x near 1 suffers no
// cancellation. r = z invc - 1 is exact as a double-double (Dekker's
// product; z invc - 1 itself is exact by Sterbenz), |r| < 2^-7, and
//   ln x = e ln 2 + ln(1/invc) + ln(1 + r),
// ln(1 + r) = r - r^2/2 + r^3 (1/3 - r/4 + ...) to r^12 (remainder below
// 2^-84 |r|). The sum is carried as a double-double.
#include "portable_math/coefficients.hpp"
#include "portable_math/kernels.hpp"
#include "portable_math/portable_math.hpp"
#include "portable_math/tables.hpp"

#include <bit>
#include <cstdint>
#include <limits>

namespace pipecorr::pm {
namespace detail {
namespace {
constexpr int kLogHalve = 53;
}  // namespace

DoubleDouble log_core(double x) noexcept {
  std::uint64_t bits = std::bit_cast<std::uint64_t>(x);
  int e = static_cast<int>(bits >> 52) - 1023;
  if (e == -1023) {  // subnormal: scaled by 2^54, exactly
    bits = std::bit_cast<std::uint64_t>(x * 0x1p54);
    e = static_cast<int>(bits >> 52) - 1023 - 54;
  }
  const auto i = static_cast<int>((bits >> 45) & 127);
  std::uint64_t z_bits = (bits & 0x000fffffffffffffULL) | 0x3ff0000000000000ULL;
  if (i >= kLogHalve) {
    z_bits -= 0x0010000000000000ULL;  // z / 2
    ++e;
  }
  const double z = std::bit_cast<double>(z_bits);
  const LogRow& row = kLog[i];
  const DoubleDouble zc = two_prod(z, row.invc);
  const DoubleDouble r = fast_two_sum(zc.hi - 1.0, zc.lo);
  const double* c = kLog1pSeries;
  const double rh = r.hi;
  const double q =
      c[0] +
      rh * (c[1] +
            rh * (c[2] +
                  rh * (c[3] +
                        rh * (c[4] +
                              rh * (c[5] +
                                    rh * (c[6] +
                                          rh * (c[7] +
                                                rh * (c[8] + rh * c[9]))))))));
  const double ed = static_cast<double>(e);
  // e ln2hi is exact (|e| < 1100, ln2hi has 42 bits).
  const DoubleDouble a = two_sum(ed * kLn2Hi, row.logc.hi);
  const DoubleDouble b = two_sum(a.hi, rh);
  const DoubleDouble h = two_prod(rh, -0.5 * rh);
  const DoubleDouble s = two_sum(b.hi, h.hi);
  const double rr = rh * rh;
  const double lo = (a.lo + b.lo + s.lo) +
                    (ed * kLn2Lo + row.logc.lo + h.lo + r.lo - rh * r.lo) +
                    rr * rh * q;
  return fast_two_sum(s.hi, lo);
}

}  // namespace detail

namespace {

// The cases outside the positive finite numbers.
[[nodiscard]] double log_special(double x) noexcept {
  if (x == 0.0) return -std::numeric_limits<double>::infinity();
  if (x < 0.0 || x != x) return std::numeric_limits<double>::quiet_NaN();
  return x;  // +inf
}

[[nodiscard]] bool positive_finite(double x) noexcept {
  return x > 0.0 && x < std::numeric_limits<double>::infinity();
}

}  // namespace

double log(double x) noexcept {
  if (!positive_finite(x)) return log_special(x);
  if (x == 1.0) return 0.0;
  const detail::DoubleDouble l = detail::log_core(x);
  return l.hi + l.lo;
}

double log10(double x) noexcept {
  if (!positive_finite(x)) return log_special(x);
  if (x == 1.0) return 0.0;
  const detail::DoubleDouble l = detail::log_core(x);
  const detail::DoubleDouble p = detail::two_prod(l.hi, detail::kInvLn10Hi);
  return p.hi +
         (p.lo + (l.hi * detail::kInvLn10Lo + l.lo * detail::kInvLn10Hi));
}

}  // namespace pipecorr::pm
