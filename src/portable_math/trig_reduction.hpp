// x = n pi/2 + r, |r| <= pi/4 (a little beyond at most), r as a
// double-double with relative error below 2^-80, for every finite x.
#pragma once

#include "portable_math/double_double.hpp"

namespace pipecorr::pm::detail {

struct Reduced {
  DoubleDouble r;
  int quadrant;  // n mod 4
};

[[nodiscard]] Reduced reduce_quarter_pi(double x) noexcept;

}  // namespace pipecorr::pm::detail
