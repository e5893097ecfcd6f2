#include "jobs/map_job.hpp"

#include <array>
#include <vector>

#include "files/output_set.hpp"
#include "reports/flow_map_report.hpp"
#include "reports/map_plot.hpp"

namespace pipecorr::hostkit {

MapOutcome run_map(const CorrelationSet& correlations,
                   const MapOptions& options) {
  check_map_range(options.range);
  check_finite_inputs(options.fluids, true);
  const Correlation& correlation = correlations.choose(options.correlation);
  const std::array<OutputRequest, 2> requests{
      {{options.svg, "map picture"}, {options.csv, "map table"}}};
  std::vector<InputRequest> inputs;
  for (const auto& library : correlations.library_paths()) {
    inputs.push_back({library, "plug-in library"});
  }
  OutputSet outputs(std::span(requests.data(), options.csv ? 2U : 1U), inputs);

  const FlowMap map =
      compute_flow_map(correlation, options.fluids, options.range);
  outputs[0].write(render_flow_map_svg(map));
  if (options.csv) outputs[1].write(flow_map_csv(map));
  outputs[0].commit();
  if (options.csv) outputs[1].commit();

  MapOutcome outcome{map.correlation, map.cells.size(), 0};
  for (const auto& cell : map.cells) outcome.failed += cell.ierr != 0 ? 1 : 0;
  return outcome;
}

}  // namespace pipecorr::hostkit
