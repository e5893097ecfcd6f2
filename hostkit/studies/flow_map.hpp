// A flow-pattern map: the plug-in evaluated on a log-log grid of superficial
// liquid and gas velocities for fixed fluids and pipe.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "plugin/correlation.hpp"
#include "plugin/flow_point.hpp"

namespace pipecorr::hostkit {

struct MapRange {
  double usl_min = 1e-3;
  double usl_max = 10.0;
  double usg_min = 1e-2;
  double usg_max = 100.0;
  int points = 200;  // cells along each axis
};

// Throws Error naming the bad bound or count.
void check_map_range(const MapRange& range);

struct MapCell {
  double dp = 0.0;
  double holdup = 0.0;
  std::int32_t id = 0;
  std::int32_t ierr = 0;
};

struct FlowMap {
  MapRange range;
  FlowInputs fluids;
  std::string correlation;
  std::string description;
  std::vector<double> usl;     // cell centres, rising
  std::vector<double> usg;     // cell centres, rising
  std::vector<MapCell> cells;  // row by row: usl index * usg count + usg index
  std::string first_error;     // the first message of a failed cell, if any

  [[nodiscard]] const MapCell& at(std::size_t usl_index,
                                  std::size_t usg_index) const {
    return cells[usl_index * usg.size() + usg_index];
  }
};

[[nodiscard]] FlowMap compute_flow_map(const Correlation& correlation,
                                       const FlowInputs& fluids,
                                       const MapRange& range);

}  // namespace pipecorr::hostkit
