// The pressure traverse of a well: the march from the known end, with the
// correlation fed at every point by the black-oil fluid at the local
// pressure and temperature.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cases/well_case.hpp"
#include "plugin/correlation.hpp"

namespace pipecorr::hostkit {

// One row of the traverse, SI.
struct WellStation {
  double md = 0.0;           // m
  double tvd = 0.0;          // m, positive down
  double inclination = 0.0;  // degrees from vertical, as the survey
  double fi = 0.0;           // degrees from horizontal, uphill along flow
  double pressure = 0.0;     // Pa
  double temperature = 0.0;  // K
  double gradient = 0.0;     // Pa/m, positive when p falls along the flow
  double holdup = 0.0;
  std::int32_t pattern = 0;
  // The correlation's inputs there.
  double usl = 0.0, usg = 0.0;    // m/s
  double rol = 0.0, rog = 0.0;    // kg/m3
  double visl = 0.0, visg = 0.0;  // Pa s
  double sigma = 0.0;             // N/m
  double mass_flow = 0.0;         // kg/s, the same at every station
};

// A point of the well and its pressure, SI.
struct WellPoint {
  double md = 0.0;        // m
  double tvd = 0.0;       // m
  double pressure = 0.0;  // Pa
};

struct WellTraverse {
  std::string correlation;
  std::vector<WellStation> stations;  // top (wellhead) first
  bool completed = false;
  // Why the march ended early, in the case's units, or empty.
  std::string stopped;
  // Where it ended early: the last point whose pressure the march knew
  // (which may lie between stations).
  std::optional<WellPoint> stopped_at;
  // The pressure at the other end (bottom-hole when the wellhead pressure
  // is known, and the reverse), when completed.
  double answer = 0.0;          // Pa
  std::size_t evaluations = 0;  // correlation calls
};

// Never throws for a failure inside the march (a correlation error, a
// fluid outside its correlations' range, pressure running out): those end
// the traverse with `stopped`. Throws Error for a case that cannot be
// marched at all.
[[nodiscard]] WellTraverse traverse_well(const Correlation& correlation,
                                         const WellCase& well_case);

}  // namespace pipecorr::hostkit
