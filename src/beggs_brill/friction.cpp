// Friction factors of the core: the single-phase Moody factor and the
// Beggs & Brill two-phase multiplier.
#include <cmath>
#include <cstdint>

#include "beggs_brill/error_bounds.hpp"
#include "beggs_brill/friction.hpp"
#include "beggs_brill/single_precision.hpp"
#include "log/debug_log.hpp"

namespace pipecorr::bb {

namespace {

using accuracy::kLn2Above;
using accuracy::kLog10Ulps;
using accuracy::kLogUlps;
using accuracy::kSqrtUlps;
using accuracy::pow_ulps;

// The plain formulas: the fallback of the fast forms and the plain path.

float plain_roughness_sum(float re, float rruff, float f) noexcept {
  return store(wide(rruff) / wide(3.7f) +
               wide(2.51f) / (wide(re) * std::pow(wide(f), wide(0.5f))));
}

float plain_start(float re) noexcept {
  return store(wide(0.0056f) + wide(0.5f) / std::pow(wide(re), wide(0.32f)));
}

float plain_factor(float a) noexcept {
  // The exact square: for every float a it has the same bits as
  // pow(log10 a, 2), without a second transcendental call per pass.
  const double log_a = std::log10(wide(a));
  return store(wide(0.25f) / (log_a * log_a));
}

float plain_slip(double l, double l2) noexcept {
  return store(l / (wide(0.01853f) * std::pow(l, 4.0) +
                    ((wide(3.182f) * l - wide(0.0523f)) - wide(0.8725f) * l2)));
}

// The fast forms, each with its bound.

// The start 0.0056 + 0.5 / re^0.32. Fast: 0.5 exp(-0.32 L), L =
// log_of_float(re) (the factor 0.5 is exact). With t = -0.32 L, relative
// to the exact term, in units u: the exponent is off by
// product_error(t, 0.32) (as for the map's powers), exp_inline adds
// kExpInlineError; the plain pow adds 2 E_pow(t) and the quotient 1. The
// sum of two positive terms adds 1 on either path:
//   fast product_error(t, 0.32) + kExpInlineError + 1, plain 2 E_pow(t) + 2
// A positive finite float re keeps |t| below 0.32 * 103.3; zero, a negative
// or infinite re makes t or the bound infinite or NaN, which the test
// rejects.
float fast_start(float re) noexcept {
  constexpr GrowingBound kBound =
      growing_bound(kProductErrorSlope + 2.0 * accuracy::kGrowthPerUnit,
                    product_error_fixed(wide(0.32f)) + kExpInlineError + 1.0 +
                        2.0 * accuracy::kGrowthBase + 2.0);
  const double t = -wide(0.32f) * log_of_float(re);
  const double fast = wide(0.0056f) + wide(0.5f) * exp_inline(t);
  return store_fast(fast, kBound.at(std::fabs(t)),
                    [&] { return plain_start(re); });
}

// The start at Re = 4000, where the transition band's bridge evaluates the
// iteration for every point. The exact value of 0.0056 + 0.5 / 4000^0.32,
// with the float constants, is 0.04078121471348355140... (by 60-digit
// decimal arithmetic), 0.032 float steps below the float 0x1.4e1468p-5:
// about 2.5e8 ulps of the double from the nearest rounding midpoint. The
// plain formula lies within a few ulps of it (2 E_pow(2.65) + 2 units u
// relative), so it stores this float on every platform.
constexpr float kStartAt4000 = 0x1.4e1468p-5f;

// a = rruff / 3.7 + 2.51 / (re f^0.5), with rruff / 3.7 (`roughness`, the
// same double the plain formula computes every pass) and 2.51 / re
// (`scale`) computed once per iteration. Fast: roughness + scale / sqrt f.
// scale and the quotient round by u each, sqrt f by u; the plain
// pow(f, 0.5) is within E_pow(t), t = 0.5 ln f, and a positive float f
// bounds |t| by 0.5 * 149 ln 2; its re q and quotient round by u each. The
// sum of two non-negative terms rounds by u of itself on either path.
// Relative, in units u:
//   fast 2 kSqrtUlps + 3, plain 2 E_pow(52) + 3
// The caller ensures re > 0 and rruff >= 0 (no cancellation). f is the
// start or a stored factor 0.25 / x^2: positive, or +0 or +inf from an
// unusable a. f = +0 makes the fast sum infinite, which the test rejects;
// f = +inf makes the second term 0 on both paths, so the sum is
// `roughness` exactly on both.
float fast_roughness_sum(double roughness, double scale, float re, float rruff,
                         float f) noexcept {
  constexpr double kBound = ulps_from_relative(
      2.0 * kSqrtUlps + 3.0 + 2.0 * pow_ulps(0.5 * 149.0 * kLn2Above) + 3.0);
  const double fast = roughness + scale / std::sqrt(wide(f));
  return store_fast(fast, kBound,
                    [&] { return plain_roughness_sum(re, rruff, f); });
}

// 1 / ln 10, rounded to double once.
constexpr double kInverseLn10 = 0x1.bcb7b1526e50ep-2;

// A pass's factor with the doubles it came from: x = log10 a (fast),
// x2 = x * x and g = 0.25 / x2, whose float f is when `proven`.
struct Factor {
  float f = 0.0f;
  double x = 0.0;
  double x2 = 0.0;
  double g = 0.0;
  bool proven = false;
};

// 0.25 / (log10 a)^2. Fast: log10 a as ln a / ln 10 with the maths
// library's log (on this chain of dependent steps its latency beats
// log_of_float's): off by 2 E_log relative, the rounded 1/ln 10 and the
// product by 1 each; the square doubles that and rounds, the quotient
// rounds. The plain log10 is off by 2 E_log10. Relative, in units u
// (both hold for every positive a, also near 1):
//   fast 2 (2 E_log + 2) + 2, plain 2 * 2 E_log10 + 2
// An a that is not positive gives a logarithm that is NaN or -inf, and a
// fast value NaN or 0, which the test rejects.
Factor fast_factor(float a) noexcept {
  constexpr double kBound = ulps_from_relative(2.0 * (2.0 * kLogUlps + 2.0) +
                                               2.0 + 4.0 * kLog10Ulps + 2.0);
  Factor r;
  // Where log10 is not bounded, the plain factor, and the next pass from
  // the square root.
  if (!accuracy::kLog10Bounded) {
    r.f = plain_factor(a);
    r.proven = false;
    return r;
  }
  r.x = std::log(wide(a)) * kInverseLn10;
  r.x2 = r.x * r.x;
  r.g = wide(0.25f) / r.x2;
  r.proven = proves(r.g, kBound);
  if (r.proven) [[likely]] {
    r.f = static_cast<float>(r.g);
  } else {
    detail::count_fallback();
    r.f = plain_factor(a);
  }
  return r;
}

// a = rruff / 3.7 + 2.51 / (re f^0.5) for the factor f of a proven pass,
// without the square root: 1 / sqrt f from that pass's x = log10 a.
// g = 0.25 / x2 rounded, x2 = x^2 rounded, so 1 / sqrt g = 2 |x| within u
// (half of each rounding). f = g (1 + rho), |rho| <= 2^-24 (f is g's float),
// f - g exact (a double and its float), and rho = (f - g) / g is
// (f - g) 4 x2 within 2 u of itself: below 2^-75 absolute. Then
// 1 / sqrt f = (1 / sqrt g)(1 + rho)^(-1/2), and
// (1 + rho)^(-1/2) = 1 - rho/2 + 3 rho^2/8 within 5 |rho|^3 / 16 < 2^-73,
// evaluated within u (the last sum; the rest is of the order of rho u).
// The second term is scale2 |x| P with scale2 = 2 scale (exact), scale off
// by u, the product by u and the last product by u: with 1 / sqrt g and P,
// 5 u relative; the sum of two non-negative terms rounds by u. Relative, in
// units u:
//   fast 6, plain 2 E_pow(52) + 3
float fast_roughness_sum(double roughness, double scale2, const Factor& last,
                         float re, float rruff) noexcept {
  constexpr double kBound =
      ulps_from_relative(6.0 + 2.0 * pow_ulps(0.5 * 149.0 * kLn2Above) + 3.0);
  const double rho = (wide(last.f) - last.g) * (4.0 * last.x2);
  const double p = 1.0 + rho * (-0.5 + 0.375 * rho);
  const double fast = roughness + (scale2 * std::fabs(last.x)) * p;
  return store_fast(fast, kBound,
                    [&] { return plain_roughness_sum(re, rruff, last.f); });
}

// S = l / (0.01853 l^4 + ((3.182 l - 0.0523) - 0.8725 l^2)). Fast: l^4 as
// (l^2)^2, within u (l^2 of a float l is exact); the plain pow(l, 4)
// within 2 E_pow(t), t = 4 ln |l|, and |l| >= 2^-149 bounds |t| by
// 4 * 149 ln 2 (the float ln y is below 89 in size). On either path
// 0.01853 l^4 and the denominator's sum round by u; the other terms are
// common. So the denominators lie apart by at most, absolute in units u,
//   |0.01853 l^4| K + 2 |den|,  K = 1 + 2 E_pow(413) + 2,
// and each quotient rounds by u: relative, K |0.01853 l^4| / |den| + 4.
// Instead of that division, two bands: a quartic term at most |den| / 16
// bounds it by K / 16 + 4, one at most 16 |den| by 16 K + 4. Nearer the
// pole of the denominator the plain form runs.
float fast_slip(double l, double l2) noexcept {
  constexpr double kQuartic = 3.0 + 2.0 * pow_ulps(4.0 * 149.0 * kLn2Above);
  constexpr double kNear = ulps_from_relative(kQuartic / 16.0 + 4.0);
  constexpr double kFar = ulps_from_relative(16.0 * kQuartic + 4.0);
  const double quartic = wide(0.01853f) * (l2 * l2);
  const double den =
      quartic + ((wide(3.182f) * l - wide(0.0523f)) - wide(0.8725f) * l2);
  const double fast = l / den;
  const double q = std::fabs(quartic);
  const double d = std::fabs(den);
  const double bound =
      16.0 * q <= d ? kNear : (q <= 16.0 * d ? kFar : kNotProven);
  return store_fast(fast, bound, [&] { return plain_slip(l, l2); });
}

// ln y. Fast: log_of_float(y), within u (4 |L| + 3); the plain log
// within 2 E_log u |L|. Absolute, in units u: (4 + 2 E_log) |L| + 3; near
// y = 1, where L is small, the bound is large and the plain form runs.
float fast_log(float y) noexcept {
  // y = 1 (liquid only, holdup 1): ln 1 is 0 exactly, which the bound,
  // being relative, cannot prove.
  if (y == 1.0f) return store(std::log(wide(y)));
  const double fast = log_of_float(y);
  const double size = std::fabs(fast);
  return store_fast(
      fast, ulps_from_absolute((4.0 + 2.0 * kLogUlps) * size + 3.0, fast),
      [&] { return store(std::log(wide(y))); });
}

// The two-phase factor fn e^S. Fast: exp_inline(S); the plain exp within
// 2 E_exp(S); the product rounds by 1 on either path. Relative, in units u:
//   kExpInlineError + 1 + 2 E_exp(S) + 1
float two_phase_factor(float fn, float s, Evaluation e) noexcept {
  const auto plain = [&] { return store(wide(fn) * std::exp(wide(s))); };
  if (e == Evaluation::kPlain) return plain();
  // S = 0 (dry gas, or y = 1): exp(+-0) is 1 exactly in every C maths
  // library, so the plain product is fn itself.
  if (s == 0.0f) return fn;
  constexpr GrowingBound kBound =
      growing_bound(2.0 * accuracy::kGrowthPerUnit,
                    kExpInlineError + 2.0 + 2.0 * accuracy::kGrowthBase);
  const double fast = wide(fn) * exp_inline(wide(s));
  const double size = std::fabs(wide(s));
  return store_fast(fast, size < kExponentLimit ? kBound.at(size) : kNotProven,
                    plain);
}

}  // namespace

float colebrook_start(float re, Evaluation e) noexcept {
  if (e == Evaluation::kPlain) return plain_start(re);
  return re == 4000.0f ? kStartAt4000 : fast_start(re);
}

namespace {

// The relative change of a pass, and whether it ends the iteration.
bool settled(float f, float f_new) noexcept {
  const float r = store((wide(f) - wide(f_new)) / wide(f_new));
  return std::fabs(r) <= 0.0001f;
}

// At most 21 evaluations: the first that settles ends it.
constexpr std::int32_t kMaxEvaluations = 21;

ColebrookResult plain_colebrook(float re, float rruff) noexcept {
  float f = colebrook_start(re, Evaluation::kPlain);
  ColebrookResult result;
  bool converged = false;
  while (!converged && result.evaluations < kMaxEvaluations) {
    const float a = plain_roughness_sum(re, rruff, f);
    const float f_new = plain_factor(a);
    converged = settled(f, f_new);
    f = f_new;
    result.f = f_new;
    ++result.evaluations;
  }
  return result;
}

ColebrookResult fast_colebrook(float re, float rruff) noexcept {
  // Non-negative terms only: a negative roughness or Reynolds number could
  // cancel in the sum (and NaN fails here too).
  if (!(re > 0.0f && rruff >= 0.0f)) return plain_colebrook(re, rruff);
  float f = colebrook_start(re, Evaluation::kFast);
  const double roughness = wide(rruff) / wide(3.7f);
  const double scale = wide(2.51f) / wide(re);
  ColebrookResult result;
  Factor last{};
  bool converged = false;
  while (!converged && result.evaluations < kMaxEvaluations) {
    const float a =
        last.proven
            ? fast_roughness_sum(roughness, 2.0 * scale, last, re, rruff)
            : fast_roughness_sum(roughness, scale, re, rruff, f);
    last = fast_factor(a);
    converged = settled(f, last.f);
    f = last.f;
    result.f = last.f;
    ++result.evaluations;
  }
  return result;
}

}  // namespace

ColebrookResult colebrook(float re, float rruff, Evaluation e) noexcept {
  return e == Evaluation::kFast ? fast_colebrook(re, rruff)
                                : plain_colebrook(re, rruff);
}

float slip_exponent(float frnl, float hl, Evaluation e) noexcept {
  // A dry-gas point has y = 0/0; its single-phase gas limit, which is also
  // the limit of the multiplier as the liquid fraction vanishes, is S = 0.
  if (frnl == 0.0f) return 0.0f;
  const float y = store(wide(frnl) / (wide(hl) * wide(hl)));
  const float ln_y =
      e == Evaluation::kFast ? fast_log(y) : store(std::log(wide(y)));
  if (y > 1.0f && y < 1.2f) {
    return store(std::log(wide(2.2f) * wide(y) - wide(1.2f)));
  }
  // ln y is a float, so its square is exact in double (and so equal to
  // pow(ln y, 2), which is within one unit of the exact value).
  const double l = wide(ln_y);
  const double l2 = l * l;
  // ln y = 0 gives S = 0 / -0.0523, a zero the rounding test does not take.
  return e == Evaluation::kFast && l != 0.0 ? fast_slip(l, l2)
                                            : plain_slip(l, l2);
}

void MOODY_q(float renum, float rruff, float& Fmoody, Evaluation e) noexcept {
  dbg::trace([&](dbg::Block& b) {
    b.record(" Entering MOODY_q");
    b.record("    renum = ", renum);
    b.record("    rruff = ", rruff);
  });

  if (!(renum > 2000.0f)) {
    Fmoody = store(wide(64.0f) / wide(renum));
  } else if (renum <= 4000.0f) {
    // Between the laminar and the turbulent law: the straight line from
    // (2000, 0.032) to the Colebrook value at 4000.
    const float f4000 = colebrook(4000.0f, rruff, e).f;
    Fmoody = store((wide(4000.0f) * wide(0.032f) - wide(2000.0f) * wide(f4000) +
                    (wide(f4000) - wide(0.032f)) * wide(renum)) /
                   (wide(4000.0f) - wide(2000.0f)));
  } else {
    Fmoody = colebrook(renum, rruff, e).f;
  }

  dbg::trace(
      [&](dbg::Block& b) { b.record("leaving MOODY_q with Fmoody=", Fmoody); });
}

void FRNBB_q(float renum, float rruff, float frnl, float hl, float& ftp,
             float& FFRAT, Evaluation e) noexcept {
  dbg::trace([&](dbg::Block& b) {
    b.record(" Entering FRNBB_q");
    b.record("    renum = ", renum);
    b.record("    rruff = ", rruff);
    b.record("     frnl = ", frnl);
    b.record("       hl = ", hl);
  });

  float fn = 0.0f;
  MOODY_q(renum, rruff, fn, e);
  const float s = slip_exponent(frnl, hl, e);
  ftp = two_phase_factor(fn, s, e);
  FFRAT = store(wide(ftp) / wide(fn));

  dbg::trace([&](dbg::Block& b) {
    b.record(" ");
    b.record("leaving FRNBB_q with FFRAT=", FFRAT);
    b.record(" ");
  });
}

}  // namespace pipecorr::bb
