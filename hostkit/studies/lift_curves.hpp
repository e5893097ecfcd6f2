// Lift curves: the bottom-hole flowing pressure a well needs to lift a
// liquid rate, for a list of rates and, per curve, one gas-liquid ratio or
// one wellhead pressure; with an inflow curve, the operating point where
// they cross.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cases/well_case.hpp"
#include "plugin/correlation.hpp"
#include "well/operating_point.hpp"

namespace pipecorr::hostkit {

struct LiftCurve {
  // What the curve holds fixed besides the case.
  double gas_liquid_ratio = 0.0;   // std m3/m3
  double wellhead_pressure = 0.0;  // Pa
  // One point per liquid rate; a rate whose traverse stopped has no point
  // and a line in `failures`: the rate, where the march stopped and why,
  // in the case's units ("1500.0 STB/d: stopped at md 5432.1 ft: ...").
  std::vector<well::LiftPoint> points;  // rate std m3/s, pressure Pa
  std::vector<std::string> failures;
  // Every crossing with the inflow curve, by rate; the operating point is
  // the stable one at the highest rate right of the curve's minimum.
  std::vector<well::Crossing> crossings;
  std::optional<well::Crossing> operating_point;
};

struct LiftCurves {
  std::string correlation;
  std::vector<LiftCurve> curves;
  std::optional<well::Inflow> inflow;
};

// Throws Error when the case asks for no rates or its inflow is incomplete.
[[nodiscard]] LiftCurves compute_lift_curves(const Correlation& correlation,
                                             const WellCase& well_case);

}  // namespace pipecorr::hostkit
