#include "beggs_brill/holdup.hpp"

#include <cmath>
#include <limits>

#include "beggs_brill/error_bounds.hpp"
#include "beggs_brill/field_inputs.hpp"
#include "beggs_brill/float_sin.hpp"
#include "beggs_brill/single_precision.hpp"

namespace pipecorr::bb {
namespace {

using accuracy::kLn2Above;
using accuracy::kLogUlps;
using accuracy::pow_ulps;

// Coefficients of the horizontal holdup a * lambda^b / NFR^c.
struct HorizontalCoefficients {
  float a, b, c;
};
// Coefficients of the inclination term (1 - lambda) ln(d lambda^e NLV^f
// NFR^g).
struct InclinationCoefficients {
  float d, e, f, g;
  double log_d;  // ln d, rounded to double once
  // The row's constant share of the fast C's error bound, in units u:
  // 4 |ln d| + 3 (|e| + |f| + |g|) (see fast_inclination).
  double fixed_units;
};

constexpr HorizontalCoefficients kSegregatedHorizontal{0.98f, 0.4846f, 0.0868f};
constexpr HorizontalCoefficients kIntermittentHorizontal{0.845f, 0.5351f,
                                                         0.0173f};
constexpr HorizontalCoefficients kDistributedHorizontal{1.065f, 0.5824f,
                                                        0.0609f};

// fixed_units: |ln d| from its rounding and 3 |ln d| from the additions
// (the 3 T of fast_inclination), and the three products' fixed shares of
// product_error.
constexpr InclinationCoefficients inclination_row(float d, float e, float f,
                                                  float g,
                                                  double log_d) noexcept {
  return {d,
          e,
          f,
          g,
          log_d,
          4.0 * (log_d < 0.0 ? -log_d : log_d) +
              (product_error_fixed(wide(e)) + product_error_fixed(wide(f)) +
               product_error_fixed(wide(g)))};
}

constexpr InclinationCoefficients kSegregatedUphill =
    inclination_row(0.011f, -3.768f, 3.539f, -1.614f, -0x1.20a18be2d7b40p+2);
constexpr InclinationCoefficients kIntermittentUphill =
    inclination_row(2.96f, 0.305f, -0.4473f, 0.0978f, 0x1.15cef6f8d312dp+0);
constexpr InclinationCoefficients kDownhill =
    inclination_row(4.7f, -0.3692f, 0.1244f, -0.5056f, 0x1.8c2d0dcd27328p+0);

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The plain formulas: the fallback of the fast forms and the plain path.

float plain_horizontal(const MapQuantities& map,
                       const HorizontalCoefficients& k) noexcept {
  return store(wide(k.a) * std::pow(wide(map.lambda), wide(k.b)) /
               std::pow(wide(map.nfr), wide(k.c)));
}

float plain_nlv(const Slope& slope) noexcept {
  return store(wide(1.938f) * wide(slope.vsl) *
               std::pow(wide(slope.dl) / wide(slope.stenl), wide(0.25f)));
}

double plain_shape(float s) noexcept {
  return wide(s) - wide(0.333f) * std::pow(wide(s), wide(3.0f));
}

float plain_inclination(const MapQuantities& m, float nlv,
                        const InclinationCoefficients& k) noexcept {
  const double lambda = wide(m.lambda);
  return store((wide(1.0f) - lambda) *
               std::log(wide(k.d) * std::pow(lambda, wide(k.e)) *
                        std::pow(wide(nlv), wide(k.f)) *
                        std::pow(wide(m.nfr), wide(k.g))));
}

float plain_psi(float c, float s) noexcept {
  return store(wide(1.0f) + wide(c) * plain_shape(s));
}

// The fast forms, each with its bound.

// a lambda^b / NFR^c. Fast: a * exp(b ln lambda - c ln NFR). With
// t1 = b ln lambda, t2 = c ln NFR and t = t1 - t2, errors relative to the
// exact value, in units u (as in flow_map.cpp's scaled_power, plus the
// difference's
// rounding, |t| <= |t1| + |t2|):
//   fast     product_error(t1, b) + product_error(t2, c) + |t|
//            + kExpInlineError + 1
//   plain    2 E_pow(t1) + 2 E_pow(t2) + 2
// that is at most (6 + 2 kGrowthPerUnit) (|t1| + |t2|) + 3 (|b| + |c|)
// + kExpInlineError + 4 kGrowthBase + 3. lambda and NFR are floats, lambda
// in (0, 1]: |t1| + |t2| < 0.59 * 103.3 + 0.09 * 103.3, far inside
// kExponentLimit, unless NFR is 0 or infinite, which makes the bound
// infinite.
float fast_horizontal(const MapQuantities& map,
                      const HorizontalCoefficients& k) noexcept {
  const GrowingBound bound = growing_bound(
      kProductErrorSlope + 1.0 + 2.0 * accuracy::kGrowthPerUnit,
      product_error_fixed(wide(k.b)) + product_error_fixed(wide(k.c)) +
          kExpInlineError + 4.0 * accuracy::kGrowthBase + 3.0);
  const double t1 = wide(k.b) * map.log_lambda;
  const double t2 = wide(k.c) * map.log_nfr;
  const double fast = wide(k.a) * exp_inline(t1 - t2);
  return store_fast(fast, bound.at(std::fabs(t1) + std::fabs(t2)),
                    [&] { return plain_horizontal(map, k); });
}

// The horizontal holdup of a pattern, limited to [lambda, 1].
float horizontal_holdup(const MapQuantities& map,
                        const HorizontalCoefficients& k,
                        Evaluation e) noexcept {
  const bool fast = e == Evaluation::kFast;
  float hl0 = 0.0f;
  if (fast && map.lambda != 0.0f) {
    hl0 = fast_horizontal(map, k);
  } else if (fast && map.nfr > 0.0f) {
    // No liquid: a lambda^b = a * 0 is +0 exactly (pow(+-0, b) for b > 0
    // and not an odd integer), and a positive NFR, also an infinite one,
    // has a positive NFR^c: the plain quotient is +0. (NFR = 0 would make
    // it 0/0, which the plain formula keeps.)
    hl0 = 0.0f;
  } else {
    hl0 = plain_horizontal(map, k);
  }
  if (hl0 > 1.0f) hl0 = 1.0f;
  if (hl0 < map.lambda) hl0 = map.lambda;
  return hl0;
}

// Exponents below this size keep the plain product
// d lambda^e NLV^f NFR^g and every partial product of it normal.
constexpr double kFactorLimit = 200.0;

// C = (1 - lambda) ln(d lambda^e NLV^f NFR^g). Fast: the logarithm of the
// product taken apart, (1 - lambda)(ln d + e ln lambda + f ln NLV
// + g ln NFR), with ln d a constant. With t1 = e ln lambda, t2 = f ln NLV,
// t3 = g ln NFR, T = |ln d| + |t1| + |t2| + |t3| and S the sum, absolute
// errors in units u:
//   fast     (1 - lambda)(|ln d| + product_error(t1, e) + product_error(t2, f)
//            + product_error(t3, g) + 3 T) + 2 |C|
//            (ln d rounded once; each product as in the map's scaled_power;
//            three additions, each within u of a partial sum no larger than T;
//            1 - lambda and the last product within u each)
//   plain    (1 - lambda)(rho + 2 E_log |S|) + 2 |C|
//            (the product is off by rho = 2 (E_pow(t1) + E_pow(t2)
//            + E_pow(t3)) + 3 relative, which the logarithm turns into as
//            much absolute error, and adds its own 2 E_log |S|)
// Together, with s = |t1| + |t2| + |t3|:
//   (1 - lambda)((8 + 2 kGrowthPerUnit) s + 2 E_log |S| + fixed_units
//   + 6 kGrowthBase + 3) + 4 |C|.
float fast_inclination(const MapQuantities& m, const Correction& corr,
                       const InclinationCoefficients& k) noexcept {
  // Liquid only: C is 0 times the logarithm, a zero whose sign (kept in C)
  // comes from the plain form.
  if (m.lambda == 1.0f) return plain_inclination(m, corr.nlv, k);
  const double t1 = wide(k.e) * m.log_lambda;
  const double t2 = wide(k.f) * corr.log_nlv;
  const double t3 = wide(k.g) * m.log_nfr;
  const double sum = ((k.log_d + t1) + t2) + t3;
  const double one_less = wide(1.0f) - wide(m.lambda);
  const double fast = one_less * sum;
  const double size = (std::fabs(t1) + std::fabs(t2)) + std::fabs(t3);
  // The exponents' sizes together below kFactorLimit, and so each of them
  // (NaN fails here too).
  if (!(size < kFactorLimit)) {
    return store_fast(fast, kNotProven,
                      [&] { return plain_inclination(m, corr.nlv, k); });
  }
  constexpr double kPerSize =
      kProductErrorSlope + 3.0 + 2.0 * accuracy::kGrowthPerUnit;
  constexpr double kFixed = 6.0 * accuracy::kGrowthBase + 3.0;
  const double units =
      one_less * (kPerSize * size + 2.0 * kLogUlps * std::fabs(sum) +
                  (k.fixed_units + kFixed)) +
      4.0 * std::fabs(fast);
  return store_fast(fast, ulps_from_absolute(units, fast),
                    [&] { return plain_inclination(m, corr.nlv, k); });
}

// psi = 1 + c shape. The two paths' shapes lie shape_spread apart (units
// u), which c scales; on each path the product and the sum round within u
// of their values. Absolute, in units u:
//   |c| shape_spread + 2 |c shape| + 2 |psi|
float fast_psi(float c, const Correction& corr) noexcept {
  const double product = wide(c) * corr.shape;
  const double fast = wide(1.0f) + product;
  const double bound =
      ulps_from_absolute(std::fabs(wide(c)) * corr.shape_spread +
                             2.0 * std::fabs(product) + 2.0 * std::fabs(fast),
                         fast);
  return store_fast(fast, bound, [&] { return plain_psi(c, corr.s); });
}

// s = sin(1.8 arad). The argument, a product of two floats, is exact.
// Fast: sin_inline, within kSinInlineError; the plain sin within
// 2 kSinUlps. Relative, in units u:
//   fast kSinInlineError, plain 2 kSinUlps
// A horizontal pipe gives sin(+-0) = +-0 exactly on both paths.
float fast_sine_of_slope(float arad) noexcept {
  constexpr double kBound =
      ulps_from_relative(kSinInlineError + 2.0 * accuracy::kSinUlps);
  const double x = wide(1.8f) * wide(arad);
  const auto plain = [&] { return store(std::sin(x)); };
  if (x == 0.0) return store(x);
  // Beyond the inline range (steeper than about 95 degrees) the plain
  // form runs; not counted as a fallback.
  if (!(std::fabs(x) <= kSinInlineLimit)) return plain();
  return store_fast(sin_inline(x), kBound, plain);
}

}  // namespace

Slope slope_of(float vsl, float dl, float stenl, float arad) noexcept {
  const float degrees = store(wide(arad) * wide(180.0f) / wide(3.14159f));
  return {vsl, dl, stenl, arad, degrees < 0.0f};
}

Correction correction_of(const Slope& slope, Evaluation e) noexcept {
  Correction r;
  if (e == Evaluation::kPlain) {
    r.s = store(std::sin(wide(1.8f) * wide(slope.arad)));
    r.nlv = plain_nlv(slope);
    r.shape = plain_shape(r.s);
    r.log_nlv = kNaN;
    r.shape_spread = kNaN;
    return r;
  }
  r.s = fast_sine_of_slope(slope.arad);
  // NLV = 1.938 vsl (dl / stenl)^0.25. Fast: the power as sqrt(sqrt(q)),
  // within 1.5 u of the exact root (two correctly rounded roots); 1.938 vsl
  // is exact (two floats), and the last product rounds by u on either path.
  // Two positive floats make q at most 2^277 and at least 2^-277, so
  // |t| = |0.25 ln q| < 48. Relative, in units u:
  //   fast 2.5, plain 2 E_pow(48) + 1
  constexpr double kNlvBound =
      ulps_from_relative(2.5 + 2.0 * pow_ulps(0.25 * 277.0 * kLn2Above) + 1.0);
  const double q = wide(slope.dl) / wide(slope.stenl);
  const double nlv_fast =
      wide(1.938f) * wide(slope.vsl) * std::sqrt(std::sqrt(q));
  // No liquid: NLV is 0 exactly, which the relative bound cannot prove.
  r.nlv = slope.vsl == 0.0f ? plain_nlv(slope)
                            : store_fast(nlv_fast, kNlvBound,
                                         [&] { return plain_nlv(slope); });
  r.log_nlv = log_of_float(r.nlv);
  // s - 0.333 s^3. Fast: s^3 = (s s) s, within u of the exact cube (the
  // square of a float is exact); the plain pow(s, 3) within 2 E_pow(t),
  // t = 3 ln |s|, and |s| >= 2^-149 bounds |t| by 3 * 149 ln 2. On either
  // path 0.333 s^3 and the difference round by u. Absolute, in units u:
  //   |0.333 s^3| (1 + 2 E_pow(310) + 2) + 2 |shape|
  // (s = 0 gives 0 on both paths: pow(0, 3) is 0 exactly.)
  constexpr double kCubeBound = 3.0 + 2.0 * pow_ulps(3.0 * 149.0 * kLn2Above);
  const double s = wide(r.s);
  const double cubic = wide(0.333f) * (s * s * s);
  r.shape = s - cubic;
  r.shape_spread = std::fabs(cubic) * kCubeBound + 2.0 * std::fabs(r.shape);
  return r;
}

namespace {

const InclinationCoefficients& inclination_row(bool downhill,
                                               bool intermittent) noexcept {
  if (downhill) return kDownhill;
  return intermittent ? kIntermittentUphill : kSegregatedUphill;
}

// The inclination coefficient C, never negative.
float inclination_coefficient(const MapQuantities& m, const Correction& corr,
                              const InclinationCoefficients& k,
                              Evaluation e) noexcept {
  const float c = e == Evaluation::kFast ? fast_inclination(m, corr, k)
                                         : plain_inclination(m, corr.nlv, k);
  return c < 0.0f ? 0.0f : c;
}

InclinedHoldup corrected_holdup(const MapQuantities& m,
                                const HorizontalCoefficients& flat, float c,
                                const Correction& corr, Evaluation e) noexcept {
  InclinedHoldup r;
  r.hl0 = horizontal_holdup(m, flat, e);
  r.c = c;
  r.psi = e == Evaluation::kFast ? fast_psi(c, corr) : plain_psi(c, corr.s);
  r.hl = store(wide(r.hl0) * wide(r.psi));
  const float lower = store(wide(0.2f) * wide(m.lambda));
  if (r.hl < lower) r.hl = lower;
  if (r.hl > 1.0f) r.hl = 1.0f;
  return r;
}

const HorizontalCoefficients& horizontal_row(bool intermittent) noexcept {
  return intermittent ? kIntermittentHorizontal : kSegregatedHorizontal;
}

// Transition: both holdups with their own C, psi and limits. Downhill both
// patterns use one row, so they share C.
float transition_holdup(const MapQuantities& m, const Slope& slope,
                        Evaluation e) noexcept {
  const Correction corr = correction_of(slope, e);
  const float c_seg = inclination_coefficient(
      m, corr, inclination_row(slope.downhill, false), e);
  const float c_int =
      slope.downhill
          ? c_seg
          : inclination_coefficient(m, corr, inclination_row(false, true), e);
  const float hl_seg =
      corrected_holdup(m, horizontal_row(false), c_seg, corr, e).hl;
  const float hl_int =
      corrected_holdup(m, horizontal_row(true), c_int, corr, e).hl;
  const float a = transition_weight(m);
  const float b = store(wide(1.0f) - wide(a));
  return store(wide(a) * wide(hl_seg) + wide(b) * wide(hl_int));
}

}  // namespace

InclinedHoldup inclined_holdup(const MapQuantities& m, const Slope& slope,
                               bool intermittent, Evaluation e) noexcept {
  const Correction corr = correction_of(slope, e);
  const float c = inclination_coefficient(
      m, corr, inclination_row(slope.downhill, intermittent), e);
  return corrected_holdup(m, horizontal_row(intermittent), c, corr, e);
}

float transition_weight(const MapQuantities& m) noexcept {
  // Where L2 and L3 meet the point lies on both ends at once and the weight
  // would be 0/0; take the segregated end, which NFR = L2 gives everywhere
  // else. (They meet just below lambda = 0.01, so a transition point, with
  // lambda >= 0.01, should not get here; the weight stays finite anyway.)
  const float l2 = m.l[kL2];
  const float l3 = m.l[kL3];
  if (l3 == l2) return 1.0f;
  return store((wide(l3) - wide(m.nfr)) / (wide(l3) - wide(l2)));
}

float liquid_holdup(std::int32_t pattern, const MapQuantities& m,
                    const Slope& slope, Evaluation e) noexcept {
  float hl = 0.0f;
  switch (pattern) {
    case kSegregated:
      hl = inclined_holdup(m, slope, false, e).hl;
      break;
    case kIntermittent:
      hl = inclined_holdup(m, slope, true, e).hl;
      break;
    case kTransition:
      hl = transition_holdup(m, slope, e);
      break;
    case kDistributed:
      hl = horizontal_holdup(m, kDistributedHorizontal, e);
      break;
    default:
      return 0.0f;
  }
  if (slope.downhill) {
    hl = store(wide(0.685f) * wide(hl));
  } else {
    hl = store(wide(0.924f) * wide(hl));
    if (hl < m.lambda) hl = m.lambda;
  }
  return hl;
}

}  // namespace pipecorr::bb
