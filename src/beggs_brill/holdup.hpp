// Second stage of the core: the liquid holdup of the point's flow pattern,
// horizontal first, then corrected for the pipe's inclination.
#pragma once

#include <cstdint>

#include "beggs_brill/flow_map.hpp"
#include "beggs_brill/proven_store.hpp"

namespace pipecorr::bb {

// What the inclination correction reads, and which side of the
// correlation's coefficient rows the pipe falls on.
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

// The intermediates of one pattern's inclined holdup, kept for tracing
// faults back to the step that made them.
struct InclinedHoldup {
  float hl0 = 0.0f;  // horizontal holdup within [lambda, 1]
  float c = 0.0f;    // inclination coefficient, never negative
  float psi = 0.0f;  // inclination factor
  float hl = 0.0f;   // hl0 * psi within [0.2 lambda, 1]
};

// Holdup of segregated or intermittent flow, with the inclination
// correction. `intermittent` selects the uphill row; downhill both patterns
// share one row.
InclinedHoldup inclined_holdup(const MapQuantities& map, const Slope& slope,
                               bool intermittent,
                               Evaluation e = Evaluation::kFast) noexcept;

// Weight A of the segregated holdup in a transition point (reads L2, L3).
float transition_weight(const MapQuantities& map) noexcept;

// Final holdup of the pattern, after the uphill or downhill factor.
float liquid_holdup(std::int32_t pattern, const MapQuantities& map,
                    const Slope& slope,
                    Evaluation e = Evaluation::kFast) noexcept;

}  // namespace pipecorr::bb
