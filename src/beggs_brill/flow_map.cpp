#include "beggs_brill/flow_map.hpp"

#include <cmath>

#include "beggs_brill/Bbi.hpp"
#include "beggs_brill/single_precision.hpp"

namespace pipecorr::bb {
namespace {

constexpr HorizontalCoefficients kSegregatedHorizontal{0.98f, 0.4846f, 0.0868f};
constexpr HorizontalCoefficients kIntermittentHorizontal{0.845f, 0.5351f,
                                                         0.0173f};
constexpr HorizontalCoefficients kDistributedHorizontal{1.065f, 0.5824f,
                                                        0.0609f};

constexpr InclinationCoefficients kSegregatedUphill{0.011f, -3.768f, 3.539f,
                                                    -1.614f};
constexpr InclinationCoefficients kIntermittentUphill{2.96f, 0.305f, -0.4473f,
                                                      0.0978f};
constexpr InclinationCoefficients kDownhill{4.7f, -0.3692f, 0.1244f, -0.5056f};

// The horizontal holdup of a pattern, limited to [lambda, 1].
float horizontal_holdup(const MapQuantities& map,
                        const HorizontalCoefficients& k) noexcept {
  float hl0 = store(wide(k.a) * std::pow(wide(map.lambda), wide(k.b)) /
                    std::pow(wide(map.nfr), wide(k.c)));
  if (hl0 > 1.0f) hl0 = 1.0f;
  if (hl0 < map.lambda) hl0 = map.lambda;
  return hl0;
}

}  // namespace

MapQuantities map_quantities(float vsl, float vsg, float pidft) noexcept {
  MapQuantities m;
  m.vm = store(wide(vsl) + wide(vsg));
  m.nfr = store(wide(m.vm) * wide(m.vm) / (wide(32.174f) * wide(pidft)));
  m.lambda = store(wide(vsl) / wide(m.vm));
  const double lambda = wide(m.lambda);
  m.l1 = store(wide(316.0f) * std::pow(lambda, wide(0.302f)));
  // The boundaries with negative exponents divide by the positive power.
  m.l2 = store(wide(0.0009252f) / std::pow(lambda, wide(2.4684f)));
  m.l3 = store(wide(0.1f) / std::pow(lambda, wide(1.4516f)));
  m.l4 = store(wide(0.5f) / std::pow(lambda, wide(6.738f)));
  return m;
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

namespace {

// What the inclination correction needs besides the pattern, computed once
// per call: the liquid velocity number and s - 0.333 s^3 with
// s = sin(1.8 arad), kept in double as it enters the factor psi.
struct Correction {
  float nlv;
  double shape;
};

Correction correction_of(const Slope& slope) noexcept {
  const float nlv =
      store(wide(1.938f) * wide(slope.vsl) *
            std::pow(wide(slope.dl) / wide(slope.stenl), wide(0.25f)));
  const float s = store(std::sin(wide(1.8f) * wide(slope.arad)));
  return {nlv, wide(s) - wide(0.333f) * std::pow(wide(s), wide(3.0f))};
}

const InclinationCoefficients& inclination_row(bool downhill,
                                               bool intermittent) noexcept {
  if (downhill) return kDownhill;
  return intermittent ? kIntermittentUphill : kSegregatedUphill;
}

// The inclination coefficient C, never negative.
float inclination_coefficient(const MapQuantities& m, float nlv,
                              const InclinationCoefficients& k) noexcept {
  const double lambda = wide(m.lambda);
  const float c = store((wide(1.0f) - lambda) *
                        std::log(wide(k.d) * std::pow(lambda, wide(k.e)) *
                                 std::pow(wide(nlv), wide(k.f)) *
                                 std::pow(wide(m.nfr), wide(k.g))));
  return c < 0.0f ? 0.0f : c;
}

InclinedHoldup corrected_holdup(const MapQuantities& m,
                                const HorizontalCoefficients& flat, float c,
                                double shape) noexcept {
  InclinedHoldup r;
  r.hl0 = horizontal_holdup(m, flat);
  r.c = c;
  r.psi = store(wide(1.0f) + wide(c) * shape);
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
float transition_holdup(const MapQuantities& m, const Slope& slope) noexcept {
  const Correction corr = correction_of(slope);
  const float c_seg = inclination_coefficient(
      m, corr.nlv, inclination_row(slope.downhill, false));
  const float c_int =
      slope.downhill
          ? c_seg
          : inclination_coefficient(m, corr.nlv, inclination_row(false, true));
  const float hl_seg =
      corrected_holdup(m, horizontal_row(false), c_seg, corr.shape).hl;
  const float hl_int =
      corrected_holdup(m, horizontal_row(true), c_int, corr.shape).hl;
  const float a = transition_weight(m);
  const float b = store(wide(1.0f) - wide(a));
  return store(wide(a) * wide(hl_seg) + wide(b) * wide(hl_int));
}

}  // namespace

InclinedHoldup inclined_holdup(const MapQuantities& m, const Slope& slope,
                               bool intermittent) noexcept {
  const Correction corr = correction_of(slope);
  const float c = inclination_coefficient(
      m, corr.nlv, inclination_row(slope.downhill, intermittent));
  return corrected_holdup(m, horizontal_row(intermittent), c, corr.shape);
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
                    const Slope& slope) noexcept {
  float hl = 0.0f;
  switch (pattern) {
    case kSegregated:
      hl = inclined_holdup(m, slope, false).hl;
      break;
    case kIntermittent:
      hl = inclined_holdup(m, slope, true).hl;
      break;
    case kTransition:
      hl = transition_holdup(m, slope);
      break;
    case kDistributed:
      hl = horizontal_holdup(m, kDistributedHorizontal);
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
