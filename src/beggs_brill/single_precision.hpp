// The arithmetic model the correlation's stored results depend on: every
// named quantity is held as a float; a formula runs in double from stored
// floats and float constants, both widened exactly, and is rounded to float
// once, when its result is stored. Hosts compare results bit for bit with
// earlier runs, so a double literal (other bits than the float constant) or
// an extra rounding between two operations would show.
#pragma once

namespace pipecorr::bb {

// Exact widening of a stored float or a float constant.
[[nodiscard]] constexpr double wide(float value) noexcept {
  return static_cast<double>(value);
}

// The one rounding of a formula, when its result is stored.
[[nodiscard]] constexpr float store(double value) noexcept {
  return static_cast<float>(value);
}

}  // namespace pipecorr::bb
