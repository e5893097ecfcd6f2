// First stage of the core: where the point lies on the Beggs & Brill
// flow-pattern map, and the liquid holdup of that pattern corrected for
// inclination.
#pragma once

#include <cstdint>

#include "beggs_brill/proven_store.hpp"

namespace pipecorr::bb {

struct MapQuantities {
  float vm = 0.0f;      // mixture velocity, ft/s
  float nfr = 0.0f;     // mixture Froude number
  float lambda = 0.0f;  // no-slip liquid holdup
  float l1 = 0.0f;      // pattern boundaries
  float l2 = 0.0f;
  float l3 = 0.0f;
  float l4 = 0.0f;
  // ln lambda and ln NFR of the stored values above, which the fast forms
  // of the map and the holdup share; NaN on the plain path and without
  // liquid. They belong to the values map_quantities stored: a copy whose
  // lambda or NFR is edited must not be handed to the holdup.
  double log_lambda = 0.0;
  double log_nfr = 0.0;
};

MapQuantities map_quantities(float vsl, float vsg, float pidft,
                             Evaluation e = Evaluation::kFast) noexcept;

// The pattern code (5 to 8), or -1 when no region of the map holds the point.
std::int32_t flow_pattern(const MapQuantities& map) noexcept;

// The map quantities and the pattern of a point together: the pattern
// flow_pattern finds. The fast path decides the rules' comparisons from
// ln NFR and ln lambda where it can (see flow_map.cpp) and stores only the
// boundaries it had to compute, and L2 and L3 of a transition point, which
// its weight reads; the others are NaN. The plain path stores all four.
struct MapPoint {
  MapQuantities map;
  std::int32_t pattern = -1;
};
MapPoint map_point(float vsl, float vsg, float pidft,
                   Evaluation e = Evaluation::kFast) noexcept;

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
  // 4 |ln d| + 3 (|e| + |f| + |g|) (see flow_map.cpp).
  double fixed_units;
};

// The intermediates of one pattern's inclined holdup, kept for tracing
// faults back to the step that made them.
struct InclinedHoldup {
  float hl0 = 0.0f;  // horizontal holdup within [lambda, 1]
  float c = 0.0f;    // inclination coefficient, never negative
  float psi = 0.0f;  // inclination factor
  float hl = 0.0f;   // hl0 * psi within [0.2 lambda, 1]
};

// What the inclination correction reads, and which side of the map's
// coefficient rows the pipe falls on.
struct Slope {
  float vsl;      // ft/s
  float dl;       // lbm/ft3
  float stenl;    // dyn/cm
  float arad;     // inclination, radian
  bool downhill;  // below zero; zero, also negative zero, counts as uphill
};

Slope slope_of(float vsl, float dl, float stenl, float arad) noexcept;

// What the inclination correction needs besides the pattern, once per call:
// the liquid velocity number, s = sin(1.8 arad), and s - 0.333 s^3, kept in
// double as it enters the factor psi.
struct Correction {
  float nlv = 0.0f;
  float s = 0.0f;
  double shape = 0.0;
  // Fast path: ln NLV, shared by both rows of a transition point (NaN on
  // the plain path).
  double log_nlv = 0.0;
  // Fast path: how far this shape and the plain one may lie apart, in
  // units u = 2^-53.
  double shape_spread = 0.0;
};

Correction correction_of(const Slope& slope,
                         Evaluation e = Evaluation::kFast) noexcept;

// Holdup of segregated or intermittent flow, with the inclination
// correction. `intermittent` selects the uphill row; downhill both patterns
// share one row.
InclinedHoldup inclined_holdup(const MapQuantities& map, const Slope& slope,
                               bool intermittent,
                               Evaluation e = Evaluation::kFast) noexcept;

// Weight A of the segregated holdup in a transition point.
float transition_weight(const MapQuantities& map) noexcept;

// Final holdup of the pattern, after the uphill or downhill factor.
float liquid_holdup(std::int32_t pattern, const MapQuantities& map,
                    const Slope& slope,
                    Evaluation e = Evaluation::kFast) noexcept;

}  // namespace pipecorr::bb
