// Elementary functions in double precision that give the same bits on every
// target. The platforms' maths libraries differ in their last bits (glibc,
// MinGW-w64's own functions, msvcrt), and a host compares results bit for
// bit across platforms, so the well correlations use these instead of
// <cmath>. Each is built from IEEE basic operations only (+, -, *, /) and
// integer operations on the bits, which every target rounds the same way
// under SSE2 and -ffp-contract=off: no table or constant comes from a
// platform library (make_tables.py prints them from 2000-bit arithmetic).
//
// Accuracy: every function is faithfully rounded (the result is one of the
// two doubles around the exact value) for every double argument, subnormal
// arguments and results included. The bounds below, in ulps of the result,
// are what the error analysis in each source file allows; the test against
// an independent 2000-bit table (tests/wells/portable_math_reference.py)
// and a random sweep measure them.
//   exp, log, log10, pow   < 0.52 ulp (the value before the last rounding
//                          is within 2^-62 of exact; exact results exact)
//   sin, cos               < 0.6 ulp, for EVERY finite x: the reduction by
//                          pi/2 is exact to 2^-150 below |x| < 1.6e6 and
//                          uses 1200 bits of 2/pi beyond, so sin(1e300) is
//                          right too (the correlations use |x| <= pi/2)
//   tanh, atan             < 0.6 ulp
// Subnormal results (exp, pow) are rounded twice and stay faithful.
//
// Special values are C99's: exp(-inf) = 0, exp(+inf) = +inf, log(0) = -inf,
// log(x < 0) = NaN, log(+inf) = +inf, sin(+-inf) = NaN, tanh(+-inf) = +-1,
// atan(+-inf) = +-pi/2, NaN in gives NaN out, and pow follows C99's table
// (pow(x, 0) = 1, pow(1, y) = 1, pow(-8, 1/3) = NaN, pow(-2, 3) = -8, ...).
// No function raises a floating-point exception flag for a special value it
// returns by table; overflow and underflow of exp and pow arise in the
// arithmetic as they would in <cmath>. Callers screen their inputs so that
// no NaN or infinity reaches a host.
#pragma once

namespace pipecorr::pm {

[[nodiscard]] double exp(double x) noexcept;
[[nodiscard]] double log(double x) noexcept;
[[nodiscard]] double log10(double x) noexcept;
// x^y for x > 0 (and x = 0 with y > 0, which gives 0); every other case as
// C99's pow.
[[nodiscard]] double pow(double x, double y) noexcept;
[[nodiscard]] double sin(double x) noexcept;
[[nodiscard]] double cos(double x) noexcept;
[[nodiscard]] double tanh(double x) noexcept;
[[nodiscard]] double atan(double x) noexcept;

}  // namespace pipecorr::pm
