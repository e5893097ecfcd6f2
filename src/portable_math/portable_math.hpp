// Elementary functions in double precision that give the same bits on every
// target. The platforms' maths libraries differ in their last bits (glibc,
// MinGW-w64's own functions, msvcrt), and a host compares results bit for
// bit across platforms, so the well correlations use these instead of
// <cmath>. Each is built from IEEE basic operations only (+, -, *, /,
// sqrt), which every target rounds the same way under SSE2 and
// -ffp-contract=off.
//
// Arguments outside a function's domain give what <cmath> gives (NaN for
// log of a negative number, +inf for exp of a large one); callers screen
// their inputs so that no such value reaches a host.
#pragma once

namespace pipecorr::pm {

[[nodiscard]] double exp(double x) noexcept;
[[nodiscard]] double log(double x) noexcept;
[[nodiscard]] double log10(double x) noexcept;
// x^y for x > 0 (and x = 0 with y > 0, which gives 0).
[[nodiscard]] double pow(double x, double y) noexcept;
[[nodiscard]] double sin(double x) noexcept;
[[nodiscard]] double cos(double x) noexcept;
[[nodiscard]] double tanh(double x) noexcept;
[[nodiscard]] double atan(double x) noexcept;

}  // namespace pipecorr::pm
