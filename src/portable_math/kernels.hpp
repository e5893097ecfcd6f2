// The extended-precision cores that exp, log, log10, pow and tanh share.
#pragma once

#include "portable_math/double_double.hpp"

namespace pipecorr::pm::detail {

// e^(t.hi + t.lo) = (v.hi + v.lo) 2^e, v in [0.99, 2.01), relative error
// below 2^-68, for |t.hi| <= 746 and |t.lo| <= 2^-40 |t.hi| (or below
// 2^-60). Nothing else is checked.
struct ScaledDoubleDouble {
  DoubleDouble v;
  int e;
};
[[nodiscard]] ScaledDoubleDouble exp_core(DoubleDouble t) noexcept;

// ln x as a double-double, relative error below 2^-66, for a positive,
// finite x (normal or subnormal).
[[nodiscard]] DoubleDouble log_core(double x) noexcept;

}  // namespace pipecorr::pm::detail
