#include "beggs_brill/flow_map.hpp"

#include <cfloat>
#include <cmath>
#include <limits>

#include "beggs_brill/field_inputs.hpp"
#include "beggs_brill/float_exp.hpp"
#include "beggs_brill/float_log.hpp"
#include "beggs_brill/float_sin.hpp"
#include "beggs_brill/libm_accuracy.hpp"
#include "beggs_brill/single_precision.hpp"

namespace pipecorr::bb {
namespace {

using accuracy::kLn2Above;
using accuracy::kLogUlps;
using accuracy::pow_ulps;

// product_error(t, y) = 5 |t| + 3 |y|: the units u by which t = y * ln x
// is off when ln x comes from log_of_float: |y| u (4 |ln x| + 3) from the
// logarithm, u |t| from the product.

constexpr HorizontalCoefficients kSegregatedHorizontal{0.98f, 0.4846f, 0.0868f};
constexpr HorizontalCoefficients kIntermittentHorizontal{0.845f, 0.5351f,
                                                         0.0173f};
constexpr HorizontalCoefficients kDistributedHorizontal{1.065f, 0.5824f,
                                                        0.0609f};

constexpr double magnitude(double x) noexcept { return x < 0.0 ? -x : x; }

constexpr InclinationCoefficients inclination_row(float d, float e, float f,
                                                  float g,
                                                  double log_d) noexcept {
  return {
      d,
      e,
      f,
      g,
      log_d,
      4.0 * magnitude(log_d) +
          3.0 * (magnitude(wide(e)) + magnitude(wide(f)) + magnitude(wide(g)))};
}

constexpr InclinationCoefficients kSegregatedUphill =
    inclination_row(0.011f, -3.768f, 3.539f, -1.614f, -0x1.20a18be2d7b40p+2);
constexpr InclinationCoefficients kIntermittentUphill =
    inclination_row(2.96f, 0.305f, -0.4473f, 0.0978f, 0x1.15cef6f8d312dp+0);
constexpr InclinationCoefficients kDownhill =
    inclination_row(4.7f, -0.3692f, 0.1244f, -0.5056f, 0x1.8c2d0dcd27328p+0);

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// kExponentLimit = 700: exponents t = y ln x below this size keep every
// power, product and quotient of the plain formulas and the fast exp
// inside the normal double range (e^700 < 2^1010), where the relative
// bounds hold.

// The plain formulas: the fallback of the fast forms and the plain path.

float plain_l1(double lambda) noexcept {
  return store(wide(316.0f) * std::pow(lambda, wide(0.302f)));
}
// The boundaries with negative exponents divide by the positive power.
float plain_l2(double lambda) noexcept {
  return store(wide(0.0009252f) / std::pow(lambda, wide(2.4684f)));
}
float plain_l3(double lambda) noexcept {
  return store(wide(0.1f) / std::pow(lambda, wide(1.4516f)));
}
float plain_l4(double lambda) noexcept {
  return store(wide(0.5f) / std::pow(lambda, wide(6.738f)));
}

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

// c x^y from the shared ln x (log_of_float), for y of either sign and a
// positive float x. Fast: c * exp(y * ln x). With t = y ln x, errors
// relative to the exact c x^y, in units u = 2^-53:
//   y * ln x is off by product_error(t, y); exp turns an argument off by d
//   into a value off by d (1 + d) (d < 2^-40 here), exp_inline adds
//   kExpInlineError; c rounds by 1:
//     fast     product_error(t, y) + kExpInlineError + 1
//     plain  2 E_pow(t) + 1       (c * pow(x, y) or c / pow(x, -y))
// that is (5 + 2 kGrowthPerUnit) |t| + 3 |y| + kExpInlineError
// + 2 kGrowthBase + 2. A finite positive float has |ln x| <= 149 ln 2 <
// 103.3, so |t| stays below kExponentLimit for every |y| up to 6.77 (the
// largest exponent here is 6.738); x = 0 or infinity gives an infinite t
// and bound, which the test rejects.
template <typename Plain>
float scaled_power(float c, float y, double log_x, Plain&& plain) noexcept {
  const GrowingBound bound =
      growing_bound(5.0 + 2.0 * accuracy::kGrowthPerUnit,
                    3.0 * std::fabs(wide(y)) + kExpInlineError +
                        2.0 * accuracy::kGrowthBase + 2.0);
  const double t = wide(y) * log_x;
  const double fast = wide(c) * exp_inline(t);
  return store_fast(fast, bound.at(std::fabs(t)), plain);
}

// a lambda^b / NFR^c. Fast: a * exp(b ln lambda - c ln NFR). With
// t1 = b ln lambda, t2 = c ln NFR and t = t1 - t2, errors relative to the
// exact value, in units u (as in scaled_power, plus the difference's
// rounding, |t| <= |t1| + |t2|):
//   fast     product_error(t1, b) + product_error(t2, c) + |t|
//            + kExpInlineError + 1
//   plain  2 E_pow(t1) + 2 E_pow(t2) + 2
// that is at most (6 + 2 kGrowthPerUnit) (|t1| + |t2|) + 3 (|b| + |c|)
// + kExpInlineError + 4 kGrowthBase + 3. lambda and NFR are floats, lambda
// in (0, 1]: |t1| + |t2| < 0.59 * 103.3 + 0.09 * 103.3, far inside
// kExponentLimit, unless NFR is 0 or infinite, which makes the bound
// infinite.
float fast_horizontal(const MapQuantities& map,
                      const HorizontalCoefficients& k) noexcept {
  const GrowingBound bound =
      growing_bound(6.0 + 2.0 * accuracy::kGrowthPerUnit,
                    3.0 * (std::fabs(wide(k.b)) + std::fabs(wide(k.c))) +
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
  float hl0 = 0.0f;
  if (e == Evaluation::kPlain) {
    hl0 = plain_horizontal(map, k);
  } else if (map.lambda != 0.0f) {
    hl0 = fast_horizontal(map, k);
  } else if (map.nfr > 0.0f) {
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
//            (ln d rounded once; each product as in scaled_power; three
//            additions, each within u of a partial sum no larger than T;
//            1 - lambda and the last product within u each)
//   plain  (1 - lambda)(rho + 2 E_log |S|) + 2 |C|
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
  constexpr double kPerSize = 8.0 + 2.0 * accuracy::kGrowthPerUnit;
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

namespace {

// The velocities, NFR and lambda of a point, with no boundary yet (NaN).
MapQuantities map_base(float vsl, float vsg, float pidft) noexcept {
  MapQuantities m;
  m.vm = store(wide(vsl) + wide(vsg));
  m.nfr = store(wide(m.vm) * wide(m.vm) / (wide(32.174f) * wide(pidft)));
  m.lambda = store(wide(vsl) / wide(m.vm));
  m.l1 = m.l2 = m.l3 = m.l4 = std::numeric_limits<float>::quiet_NaN();
  m.log_lambda = kNaN;
  m.log_nfr = kNaN;
  return m;
}

// The four boundaries by the plain formulas.
void plain_boundaries(MapQuantities& m) noexcept {
  const double lambda = wide(m.lambda);
  m.l1 = plain_l1(lambda);
  m.l2 = plain_l2(lambda);
  m.l3 = plain_l3(lambda);
  m.l4 = plain_l4(lambda);
}

// The fast boundaries, each stored when asked for, from the shared
// logarithms (lambda positive).
class FastBoundaries {
 public:
  explicit FastBoundaries(MapQuantities& m) noexcept
      : m_(m), lambda_(wide(m.lambda)) {
    m_.log_lambda = log_of_float(m_.lambda);
    m_.log_nfr = log_of_float(m_.nfr);
  }
  float l1() noexcept {
    return m_.l1 = scaled_power(316.0f, 0.302f, m_.log_lambda,
                                [&] { return plain_l1(lambda_); });
  }
  float l2() noexcept {
    return m_.l2 = scaled_power(0.0009252f, -2.4684f, m_.log_lambda,
                                [&] { return plain_l2(lambda_); });
  }
  float l3() noexcept {
    return m_.l3 = scaled_power(0.1f, -1.4516f, m_.log_lambda,
                                [&] { return plain_l3(lambda_); });
  }
  float l4() noexcept {
    return m_.l4 = scaled_power(0.5f, -6.738f, m_.log_lambda,
                                [&] { return plain_l4(lambda_); });
  }

 private:
  MapQuantities& m_;
  double lambda_;
};

// Where NFR lies against a boundary c lambda^y, decided from the logarithms
// where that is safe, so that the boundary itself is needed only near it.
// d = ln NFR - (ln c + y ln lambda) with the fast logarithms is within
// 6000 u (< 7e-13) of the exact difference: each logarithm within
// u (4 * 103.3 + 3) (both are of floats), y times it (|y| <= 6.738) and
// the sums rounding within u of terms below 800. The stored boundary, the
// float of the plain value (itself within 100 u relative of the exact
// one), lies within 2^-24 + 100 u < 6e-8 of the exact one in the
// logarithm: all boundaries are normal floats or, L3 and L4 for a tiny
// lambda, infinity, which only an NFR below them (d < 0) can meet. So
// d > 2^-23 proves NFR > L and d < -2^-23 proves NFR < L; in between the
// boundary is computed and compared. NFR must be finite and positive.
enum class Side { kBelow, kNear, kAbove };

Side side_of(const MapQuantities& m, double log_c, float y) noexcept {
  constexpr double kMargin = 0x1p-23;
  const double d = m.log_nfr - (log_c + wide(y) * m.log_lambda);
  if (d > kMargin) return Side::kAbove;
  if (d < -kMargin) return Side::kBelow;
  return Side::kNear;
}

}  // namespace

MapQuantities map_quantities(float vsl, float vsg, float pidft,
                             Evaluation e) noexcept {
  MapQuantities m = map_base(vsl, vsg, pidft);
  // No liquid: the powers of zero are exact (0 and infinity), so is the
  // plain form, and no logarithm is needed.
  if (e == Evaluation::kPlain || m.lambda == 0.0f) {
    plain_boundaries(m);
    return m;
  }
  FastBoundaries b(m);
  b.l1();
  b.l2();
  b.l3();
  b.l4();
  return m;
}

namespace {

// ln c of the boundaries' float factors, each rounded to double once (by
// 50-digit decimal arithmetic).
constexpr double kLogL1Factor = 0x1.705e1496e3fefp+2;   // ln 316
constexpr double kLogL2Factor = -0x1.bf1271375924dp+2;  // ln 0.0009252f
constexpr double kLogL3Factor = -0x1.26bb1b9b55516p+1;  // ln 0.1f
constexpr double kLogL4Factor = -0x1.62e42fefa39efp-1;  // ln 0.5

// The comparisons of flow_pattern between NFR and one boundary, decided
// from the logarithms (side_of) or, near the boundary, from its float.
class FastComparisons {
 public:
  FastComparisons(MapQuantities& m, FastBoundaries& b) noexcept
      : m_(m), b_(b) {}
  // NFR < L_k, NFR <= L_k, NFR >= L_k, NFR > L_k.
  bool below(int k) noexcept { return compare(k) < 0; }
  bool at_most(int k) noexcept { return compare(k) <= 0; }
  bool at_least(int k) noexcept { return compare(k) >= 0; }
  bool above(int k) noexcept { return compare(k) > 0; }

 private:
  // -1, 0 or 1 as NFR is below, equal to or above L_k.
  int compare(int k) noexcept {
    const Side s = side(k);
    if (s == Side::kBelow) return -1;
    if (s == Side::kAbove) return 1;
    const float l = value(k);
    const float nfr = m_.nfr;
    return nfr < l ? -1 : (nfr > l ? 1 : 0);
  }
  Side side(int k) const noexcept {
    switch (k) {
      case 1:
        return side_of(m_, kLogL1Factor, 0.302f);
      case 2:
        return side_of(m_, kLogL2Factor, -2.4684f);
      case 3:
        return side_of(m_, kLogL3Factor, -1.4516f);
      default:
        return side_of(m_, kLogL4Factor, -6.738f);
    }
  }
  float value(int k) noexcept {
    switch (k) {
      case 1:
        return b_.l1();
      case 2:
        return b_.l2();
      case 3:
        return b_.l3();
      default:
        return b_.l4();
    }
  }
  MapQuantities& m_;
  FastBoundaries& b_;
};

}  // namespace

// The fast path follows the rules of flow_pattern with the same
// comparisons in the same order, each decided as FastComparisons decides
// it, and stores a boundary only where a comparison needed it, and L2 and
// L3 for a transition point, whose weight reads them.
MapPoint map_point(float vsl, float vsg, float pidft, Evaluation e) noexcept {
  MapPoint p;
  MapQuantities& m = p.map;
  m = map_base(vsl, vsg, pidft);
  const float lambda = m.lambda;
  const float nfr = m.nfr;
  if (e == Evaluation::kFast && lambda == 0.0f) {
    // No liquid: only L1 is read, and pow(+-0, 0.302) is +0 exactly (as
    // every C maths library defines pow(+-0, y) for y > 0 and not an odd
    // integer), so the plain formula stores 316 * 0 = +0.
    m.l1 = 0.0f;
    p.pattern = flow_pattern(m);
    return p;
  }
  if (e == Evaluation::kPlain ||
      !(lambda > 0.0f && nfr > 0.0f && nfr <= FLT_MAX)) {
    plain_boundaries(m);
    p.pattern = flow_pattern(m);
    return p;
  }
  FastBoundaries b(m);
  FastComparisons c(m, b);
  std::int32_t& pattern = p.pattern;
  if (lambda < 0.01f && c.below(1)) {
    pattern = kSegregated;
  } else if (lambda >= 0.01f && c.below(2)) {
    pattern = kSegregated;
  } else if (lambda >= 0.01f && c.at_least(2) && c.at_most(3)) {
    pattern = kTransition;
  } else if (lambda >= 0.01f && lambda < 0.4f && c.above(3) && c.at_most(1)) {
    pattern = kIntermittent;
  } else if (lambda >= 0.4f && c.at_least(3) && c.at_most(4)) {
    pattern = kIntermittent;
  } else if (lambda < 0.4f && c.at_least(1)) {
    pattern = kDistributed;
  } else if (lambda >= 0.4f && c.above(4)) {
    pattern = kDistributed;
  }
  if (pattern == kTransition) {
    b.l2();
    b.l3();
  }
  return p;
}

std::int32_t flow_pattern(const MapQuantities& m) noexcept {
  // The order settles the ties: NFR on L2 or L3 is transition, NFR on L1 is
  // intermittent when above L3, NFR on L4 is intermittent, and the holdup
  // limits 0.01 and 0.4 belong to their upper sides.
  const float lambda = m.lambda;
  const float nfr = m.nfr;
  if (lambda < 0.01f && nfr < m.l1) return kSegregated;
  if (lambda >= 0.01f && nfr < m.l2) return kSegregated;
  if (lambda >= 0.01f && m.l2 <= nfr && nfr <= m.l3) return kTransition;
  if (lambda >= 0.01f && lambda < 0.4f && m.l3 < nfr && nfr <= m.l1) {
    return kIntermittent;
  }
  if (lambda >= 0.4f && m.l3 <= nfr && nfr <= m.l4) return kIntermittent;
  if (lambda < 0.4f && nfr >= m.l1) return kDistributed;
  if (lambda >= 0.4f && nfr > m.l4) return kDistributed;
  return kUndefinedRegime;
}

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
  if (m.l3 == m.l2) return 1.0f;
  return store((wide(m.l3) - wide(m.nfr)) / (wide(m.l3) - wide(m.l2)));
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
