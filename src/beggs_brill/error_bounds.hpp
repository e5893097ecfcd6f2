// The notation of the fast forms' proofs, as code. Beside each fast form a
// comment bounds how far its value and the plain formula's may lie from
// the exact value; the code adds the same terms, worked out ahead as a
// slope and a constant where they grow with an exponent (growing_bound).
//
// Glossary, comment notation = code:
//   u                     2^-53: bounds count in units u, relative to the
//                         exact value or absolute (ulps_from_relative,
//                         ulps_from_absolute turn them into ulps of `fast`)
//   fast, plain           the two evaluations of a stored quantity:
//                         fast_*() and plain_*(), Evaluation::kFast and
//                         Evaluation::kPlain (proven_store.hpp)
//   E_log, E_log10        accuracy::kLogUlps, accuracy::kLog10Ulps: the
//                         maths library's log and log10, in ulps
//   E_exp(x)              accuracy::exp_ulps(x)
//   E_pow(t)              accuracy::pow_ulps(t), pow(x, y) with t = y ln x;
//                         worked out ahead as kGrowthBase + kGrowthPerUnit |t|
//   E_sin                 accuracy::kSinUlps
//                         (k ulps are at most 2k u: hence 2 E_pow(t), 2 E_log)
//   kExpInlineError       exp_inline (float_exp.hpp)
//   kSinInlineError       sin_inline (float_sin.hpp)
//   u (4 |L| + 3)         log_of_float_error(L) (float_log.hpp)
//   product_error(t, y)   product_error(t, y) below
//   kExponentLimit        exponents every fast form keeps to (float_exp.hpp)
#pragma once

#include "beggs_brill/float_exp.hpp"
#include "beggs_brill/float_log.hpp"
#include "beggs_brill/libm_accuracy.hpp"
#include "beggs_brill/proven_store.hpp"

namespace pipecorr::bb {

// product_error(t, y) = 5 |t| + 3 |y|: the units u by which t = y * ln x is
// off when ln x comes from log_of_float: |y| u (4 |ln x| + 3) from the
// logarithm, u |t| from the product. Worked out ahead: kProductErrorSlope
// per |t|, product_error_fixed(y) besides.
inline constexpr double kProductErrorSlope = 5.0;
[[nodiscard]] constexpr double product_error_fixed(double y) noexcept {
  return 3.0 * (y < 0.0 ? -y : y);
}
[[nodiscard]] constexpr double product_error(double t, double y) noexcept {
  return kProductErrorSlope * (t < 0.0 ? -t : t) + product_error_fixed(y);
}
static_assert(product_error(-2.0, 0.5) ==
                  log_of_float_error(-2.0 / 0.5) * 0.5 + 2.0,
              "|y| (4 |ln x| + 3) + |t| for t = y ln x");

}  // namespace pipecorr::bb
