#include "map_command.hpp"

#include <CLI/CLI.hpp>

#include <cstdio>

#include "jobs/example_point.hpp"
#include "jobs/map_plot.hpp"
#include "files/output_file.hpp"

namespace pipecorr::hostkit {

CLI::App* add_map_command(CLI::App& app, MapOptions& options) {
  auto* command = app.add_subcommand(
      "map", "draw the flow-pattern map for given fluids and pipe");
  const auto fields = options.fluids.fields();
  // usl and usg are the map's axes; the other inputs fix fluids and pipe.
  for (std::size_t i = 2; i < kInputCount; ++i) {
    command
        ->add_option(
            "--" + std::string(kInputNames[i]), *fields[i],
            std::string(kInputMeanings[i]) + ", " + std::string(kInputUnits[i]))
        ->capture_default_str();
  }
  command->add_option("--usl-min", options.range.usl_min, "m/s")
      ->capture_default_str();
  command->add_option("--usl-max", options.range.usl_max, "m/s")
      ->capture_default_str();
  command->add_option("--usg-min", options.range.usg_min, "m/s")
      ->capture_default_str();
  command->add_option("--usg-max", options.range.usg_max, "m/s")
      ->capture_default_str();
  command
      ->add_option("--points", options.range.points,
                   "grid cells along each axis")
      ->capture_default_str();
  command->add_option("--correlation,-c", options.correlation,
                      "catalogue name (default: the first in the catalogue)");
  command->add_option("--svg", options.svg, "picture to write")
      ->capture_default_str();
  command->add_option("--csv", options.csv,
                      "also write every grid point as CSV");
  return command;
}

int run_map_command(const CorrelationSet& correlations,
                    const MapOptions& options) {
  check_map_range(options.range);
  check_finite_inputs(options.fluids, true);
  const Correlation& correlation = options.correlation.empty()
                                       ? correlations.first_callable()
                                       : correlations.get(options.correlation);
  const FlowMap map =
      compute_flow_map(correlation, options.fluids, options.range);
  write_output(options.svg, render_flow_map_svg(map));
  if (!options.csv.empty()) write_output(options.csv, flow_map_csv(map));
  std::size_t failed = 0;
  for (const auto& cell : map.cells) failed += cell.ierr != 0 ? 1U : 0U;
  std::fprintf(stderr,
               "map: %zu points through %s, %zu without a result; "
               "wrote %s\n",
               map.cells.size(), map.correlation.c_str(), failed,
               options.svg.c_str());
  return 0;
}

}  // namespace pipecorr::hostkit
