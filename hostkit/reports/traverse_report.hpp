// The traverse as a table for people, as CSV for programs, and as a picture.
#pragma once

#include <string>

#include "cases/traverse_case.hpp"
#include "studies/traverse.hpp"

namespace pipecorr::hostkit {

struct TraverseHeading {
  std::string title;
  std::string source;
  std::string correlation;
  double step = 0.0;
};

// Segment starts, the outlet and a station every `every` metres.
[[nodiscard]] std::string traverse_text(const TraverseHeading& heading,
                                        const TraverseCase& pipe,
                                        const Traverse& traverse, double every);

// Every station.
[[nodiscard]] std::string traverse_csv(const Traverse& traverse);

// Pressure, holdup with the flow pattern, and the pipe's elevation, stacked
// over a common distance axis.
[[nodiscard]] std::string traverse_svg(const TraverseHeading& heading,
                                       const TraverseCase& pipe,
                                       const Traverse& traverse);

}  // namespace pipecorr::hostkit
