// The traverse as a table for people, as CSV for programs, and as a picture.
#pragma once

#include <string>

#include "cases/traverse_case.hpp"
#include "studies/well_traverse.hpp"

namespace pipecorr::hostkit {

struct TraverseHeading {
  std::string title;
  std::string source;
  std::string correlation;
  double step = 0.0;
};

// The inlet, the end of every segment, the last station and the first
// station in each further `every` metres (table_rows).
[[nodiscard]] std::string traverse_text(const TraverseHeading& heading,
                                        const TraverseCase& pipe,
                                        const WellTraverse& traverse,
                                        double every);

// Every station: distance_m, elevation_m, segment, pressure_Pa,
// rog_kg_per_m3, usl_m_per_s, usg_m_per_s, dp_Pa_per_m, holdup, id,
// pattern.
[[nodiscard]] std::string traverse_csv(const TraverseCase& pipe,
                                       const WellTraverse& traverse);

// Pressure, holdup with the flow pattern, and the pipe's elevation, stacked
// over a common distance axis.
[[nodiscard]] std::string traverse_svg(const TraverseHeading& heading,
                                       const TraverseCase& pipe,
                                       const WellTraverse& traverse);

}  // namespace pipecorr::hostkit
