// Where the well's lift curve meets the reservoir's inflow curve.
//
// The lift curve is a table of the bottom-hole flowing pressure the well
// needs (Pa) to lift each rate (the caller's rate unit, as for the inflow
// curve), typically from one march per rate. It may fall and then rise (a
// J-shaped curve), so it may meet the inflow curve twice.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "well/inflow.hpp"
#include "well/input_error.hpp"

namespace pipecorr::well {

struct LiftPoint {
  double rate = 0.0;              // >= 0, increasing along the table
  double flowing_pressure = 0.0;  // Pa needed at the bottom, finite
};

struct Crossing {
  double rate = 0.0;              // where the curves meet
  double flowing_pressure = 0.0;  // Pa there (on the lift curve)
  // The lift curve rises through the inflow curve here: a small rise in
  // rate needs more pressure than the reservoir then gives, so the well
  // returns to this rate. The other kind of crossing is unstable.
  bool stable = false;
  std::size_t segment = 0;  // table segment [segment, segment + 1] it lies on
  // Left of the lift curve's minimum, where the curve falls as the rate
  // rises: the heading region, where slugs of liquid and gas come in turns.
  bool heading = false;
};

struct OperatingPoint {
  std::vector<Crossing> crossings;  // every crossing, by increasing rate
  // The stable crossing right of the lift curve's minimum at the highest
  // rate; absent when there is none,
  // and `reason` then says why.
  std::optional<Crossing> point;
  std::string reason;
};

// Scans the table's segments for a change of sign of (lift - inflow)
// pressure and places each crossing where the lift curve, straight between
// its table points, meets the inflow curve itself (Vogel's curve, not its
// chord), by bisection to the last bit. A table point where the two are
// equal is a crossing itself. Throws WellInputError naming the first bad
// point: fewer than two, a rate negative or not increasing, a value not
// finite.
[[nodiscard]] OperatingPoint find_operating_point(
    std::span<const LiftPoint> lift, const Inflow& inflow);

}  // namespace pipecorr::well
