#include "beggs_brill/flow_map.hpp"

#include <cfloat>
#include <cmath>
#include <limits>

#include "beggs_brill/error_bounds.hpp"
#include "beggs_brill/field_inputs.hpp"
#include "beggs_brill/single_precision.hpp"

namespace pipecorr::bb {
namespace {

// The map's rules in their order, for any way of comparing NFR with a
// boundary: `c` answers NFR < L (below), NFR <= L (at_most), NFR >= L
// (at_least) and NFR > L (above) for L = L[k]. The order settles the ties:
// NFR on L2 or L3 is transition, NFR on L1 is intermittent when above L3,
// NFR on L4 is intermittent, and the holdup limits 0.01 and 0.4 belong to
// their upper sides. The plain map compares stored boundaries; the fast map
// decides from logarithms, in the same comparisons in the same order.
template <typename Comparisons>
std::int32_t pattern_by_rules(float lambda, Comparisons& c) noexcept {
  if (lambda < 0.01f && c.below(kL1)) return kSegregated;
  if (lambda >= 0.01f && c.below(kL2)) return kSegregated;
  if (lambda >= 0.01f && c.at_least(kL2) && c.at_most(kL3)) {
    return kTransition;
  }
  if (lambda >= 0.01f && lambda < 0.4f && c.above(kL3) && c.at_most(kL1)) {
    return kIntermittent;
  }
  if (lambda >= 0.4f && c.at_least(kL3) && c.at_most(kL4)) {
    return kIntermittent;
  }
  if (lambda < 0.4f && c.at_least(kL1)) return kDistributed;
  if (lambda >= 0.4f && c.above(kL4)) return kDistributed;
  return kUndefinedRegime;
}

// NFR against the stored boundaries (a NaN compares false every way).
class StoredComparisons {
 public:
  explicit StoredComparisons(const MapQuantities& m) noexcept : m_(m) {}
  bool below(std::size_t k) const noexcept { return m_.nfr < m_.l[k]; }
  bool at_most(std::size_t k) const noexcept { return m_.nfr <= m_.l[k]; }
  bool at_least(std::size_t k) const noexcept { return m_.nfr >= m_.l[k]; }
  bool above(std::size_t k) const noexcept { return m_.nfr > m_.l[k]; }

 private:
  const MapQuantities& m_;
};

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// L = c lambda^y by the plain formula. A negative exponent divides by the
// positive power: stored results were made that way.
float plain_boundary(const MapBoundary& b, double lambda) noexcept {
  if (b.y > 0.0f) return store(wide(b.c) * std::pow(lambda, wide(b.y)));
  return store(wide(b.c) / std::pow(lambda, wide(-b.y)));
}

// c x^y from the shared ln x (log_of_float), for y of either sign and a
// positive float x. Fast: c * exp(y * ln x). With t = y ln x, errors
// relative to the exact c x^y, in units u:
//   y * ln x is off by product_error(t, y); exp turns an argument off by d
//   into a value off by d (1 + d) (d < 2^-40 here), exp_inline adds
//   kExpInlineError; c rounds by 1:
//     fast   product_error(t, y) + kExpInlineError + 1
//     plain  2 E_pow(t) + 1       (c * pow(x, y) or c / pow(x, -y))
// that is (5 + 2 kGrowthPerUnit) |t| + 3 |y| + kExpInlineError
// + 2 kGrowthBase + 2. A finite positive float has |ln x| <= 149 ln 2 <
// 103.3, so |t| stays below kExponentLimit for every |y| up to 6.77 (the
// largest exponent here is 6.738); x = 0 or infinity gives an infinite t
// and bound, which the test rejects.
template <typename Plain>
float scaled_power(float c, float y, double log_x, Plain&& plain) noexcept {
  const GrowingBound bound =
      growing_bound(kProductErrorSlope + 2.0 * accuracy::kGrowthPerUnit,
                    product_error_fixed(wide(y)) + kExpInlineError +
                        2.0 * accuracy::kGrowthBase + 2.0);
  const double t = wide(y) * log_x;
  const double fast = wide(c) * exp_inline(t);
  return store_fast(fast, bound.at(std::fabs(t)), plain);
}

// The velocities, NFR and lambda of a point, with no boundary yet (NaN).
MapQuantities map_base(float vsl, float vsg, float pidft) noexcept {
  MapQuantities m;
  m.vm = store(wide(vsl) + wide(vsg));
  m.nfr = store(wide(m.vm) * wide(m.vm) / (wide(32.174f) * wide(pidft)));
  m.lambda = store(wide(vsl) / wide(m.vm));
  m.l.fill(std::numeric_limits<float>::quiet_NaN());
  m.log_lambda = kNaN;
  m.log_nfr = kNaN;
  return m;
}

// The four boundaries by the plain formulas.
void plain_boundaries(MapQuantities& m) noexcept {
  const double lambda = wide(m.lambda);
  for (std::size_t k = 0; k < kBoundaries.size(); ++k) {
    m.l[k] = plain_boundary(kBoundaries[k], lambda);
  }
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
  float at(std::size_t k) noexcept {
    const MapBoundary& b = kBoundaries[k];
    return m_.l[k] = scaled_power(b.c, b.y, m_.log_lambda,
                                  [&] { return plain_boundary(b, lambda_); });
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

Side side_of(const MapQuantities& m, const MapBoundary& b) noexcept {
  constexpr double kMargin = 0x1p-23;
  const double d = m.log_nfr - (b.log_c + wide(b.y) * m.log_lambda);
  if (d > kMargin) return Side::kAbove;
  if (d < -kMargin) return Side::kBelow;
  return Side::kNear;
}

// NFR against one boundary, decided from the logarithms (side_of) or, near
// the boundary, from its float.
class FastComparisons {
 public:
  FastComparisons(MapQuantities& m, FastBoundaries& b) noexcept
      : m_(m), b_(b) {}
  bool below(std::size_t k) noexcept { return compare(k) < 0; }
  bool at_most(std::size_t k) noexcept { return compare(k) <= 0; }
  bool at_least(std::size_t k) noexcept { return compare(k) >= 0; }
  bool above(std::size_t k) noexcept { return compare(k) > 0; }

 private:
  // -1, 0 or 1 as NFR is below, equal to or above L[k].
  int compare(std::size_t k) noexcept {
    const Side s = side_of(m_, kBoundaries[k]);
    if (s == Side::kBelow) return -1;
    if (s == Side::kAbove) return 1;
    const float l = b_.at(k);
    const float nfr = m_.nfr;
    return nfr < l ? -1 : (nfr > l ? 1 : 0);
  }
  MapQuantities& m_;
  FastBoundaries& b_;
};

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
  for (std::size_t k = 0; k < kBoundaries.size(); ++k) b.at(k);
  return m;
}

std::int32_t flow_pattern(const MapQuantities& m) noexcept {
  StoredComparisons c(m);
  return pattern_by_rules(m.lambda, c);
}

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
    m.l[kL1] = 0.0f;
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
  p.pattern = pattern_by_rules(lambda, c);
  // A transition point's weight reads L2 and L3.
  if (p.pattern == kTransition) {
    b.at(kL2);
    b.at(kL3);
  }
  return p;
}

}  // namespace pipecorr::bb
