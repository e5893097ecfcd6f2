// The pressure traverse of a well: the march from the known end, with the
// correlation fed at every point by the black-oil fluid at the local
// pressure and temperature.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "cases/well_case.hpp"
#include "plugin/correlation.hpp"
#include "well/march.hpp"

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
  // Pa/m, the kinetic part of `gradient` (0 with acceleration off).
  double acceleration = 0.0;
  double holdup = 0.0;
  std::int32_t pattern = 0;
  // The correlation's inputs there.
  double usl = 0.0, usg = 0.0;    // m/s
  double rol = 0.0, rog = 0.0;    // kg/m3
  double visl = 0.0, visg = 0.0;  // Pa s
  double sigma = 0.0;             // N/m
  double mass_flow = 0.0;         // kg/s, the same at every station
  // What put a row here: a station of the path, a pipe change, or the end
  // of a step inside an interval.
  well::RowKind kind = well::RowKind::kSurveyStation;
};

// What every march row gives a station: where it lies, the march's state
// and the correlation's answer. The fluid's columns are the caller's.
[[nodiscard]] WellStation march_station(const well::MarchRow& row);

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
  // How the march ended (what kind of trouble stopped it).
  well::MarchOutcome outcome = well::MarchOutcome::kCompleted;
  // Why the march ended early, in the case's units, or empty.
  std::string stopped;
  // Where it ended early: the last point whose pressure the march knew
  // (which may lie between stations).
  std::optional<WellPoint> stopped_at;
  // The pressure at the other end (bottom-hole when the wellhead pressure
  // is known, and the reverse), when completed.
  double answer = 0.0;          // Pa
  std::size_t evaluations = 0;  // correlation calls
  // A warning about the correlation where it met flow it is documented to
  // handle badly (downward two-phase flow), or empty.
  std::string note;
};

// Which stations a table shows, by index: every one but the ends of steps
// inside an interval (so the known end, the path's stations, its pipe
// changes), the first and the last (where a stopped march ended), and with
// `every` (m of md, > 0) also the first step end in each further `every` m. The
// same for a pipeline and a well, so `--every` means one thing for both.
[[nodiscard]] std::vector<bool> table_rows(
    std::span<const WellStation> stations, std::optional<double> every);

// The traverse with only the rows table_rows picks without `every`: the
// stations, as a traverse marched without rows at step ends has them.
[[nodiscard]] WellTraverse stations_only(const WellTraverse& traverse);

// Throws Error unless `every` is absent or a positive length (m).
void check_row_spacing(std::optional<double> every);

// Never throws for a failure inside the march (a correlation error, a
// fluid outside its correlations' range, pressure running out): those end
// the traverse with `stopped`. Throws Error for a case that cannot be
// marched at all.
[[nodiscard]] WellTraverse traverse_well(const Correlation& correlation,
                                         const WellCase& well_case);

}  // namespace pipecorr::hostkit
