// Newton's method that can neither leave its bracket nor run on: the
// shared root finder of the well correlations' implicit equations.
#pragma once

namespace pipecorr::wells {

// A root of f in [lo, hi], given f(lo) <= 0 <= f(hi) and one sign change
// in between. `f_slope(x, f, slope)` sets f(x) and f'(x). A Newton step
// that would leave the bracket, or a slope that is zero or not a number,
// is replaced by bisection; the bracket shrinks at every step. Stops when
// the iterate no longer moves or after `max_steps` evaluations, so it ends
// on every input, always inside [lo, hi].
template <class FSlope>
[[nodiscard]] double bracketed_root(FSlope f_slope, double lo, double hi,
                                    double x, int max_steps = 60) noexcept {
  if (!(x > lo && x < hi)) x = 0.5 * (lo + hi);
  for (int k = 0; k < max_steps; ++k) {
    double f = 0.0;
    double slope = 0.0;
    f_slope(x, f, slope);
    if (f == 0.0) return x;
    if (f < 0.0) {
      lo = x;
    } else {
      hi = x;
    }
    double next = slope != 0.0 ? x - f / slope : lo;
    if (!(next > lo && next < hi)) next = 0.5 * (lo + hi);
    if (next == x) return x;
    x = next;
  }
  return x;
}

}  // namespace pipecorr::wells
