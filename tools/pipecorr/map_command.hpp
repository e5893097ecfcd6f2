// `pipecorr map`: the flow-pattern map for given fluids and pipe.
#pragma once

#include <string>

#include "plugin/correlation.hpp"
#include "jobs/flow_map.hpp"

namespace CLI {
class App;
}

namespace pipecorr::hostkit {

struct MapOptions {
  FlowInputs fluids;
  MapRange range;
  std::string correlation;
  std::string svg = "flow-map.svg";
  std::string csv;
};

CLI::App* add_map_command(CLI::App& app, MapOptions& options);

int run_map_command(const CorrelationSet& correlations,
                    const MapOptions& options);

}  // namespace pipecorr::hostkit
