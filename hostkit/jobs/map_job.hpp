// `map`: the flow-pattern map of a correlation for given fluids and pipe,
// as a picture and, if asked, as a table.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

#include "cases/example_point.hpp"
#include "plugin/correlation.hpp"
#include "studies/flow_map.hpp"

namespace pipecorr::hostkit {

struct MapOptions {
  FlowInputs fluids = kExamplePoint;  // usl and usg are the map's axes
  MapRange range;
  std::string correlation;  // empty: the first in the catalogue
  std::filesystem::path svg = "flow-map.svg";
  std::optional<std::filesystem::path> csv;
};

struct MapOutcome {
  std::string correlation;
  std::size_t points = 0;
  std::size_t failed = 0;  // points the correlation could not compute
};

// Throws Error for a bad range or fluid, an output that cannot be written,
// or a correlation that cannot be called; all before computing.
MapOutcome run_map(const CorrelationSet& correlations,
                   const MapOptions& options);

}  // namespace pipecorr::hostkit
