// `pipecorr map`: the flow-pattern map for given fluids and pipe. Exit 2
// when some grid points have no result, as batch does for failed rows.
#include <cstdio>

#include "commands.hpp"
#include "jobs/map_job.hpp"
#include "options.hpp"
#include "text/escape.hpp"

namespace pipecorr::hostkit {
namespace {

class MapCommand : public Command {
 public:
  CLI::App* add(CLI::App& app) override {
    auto* command = app.add_subcommand(
        "map", "draw the flow-pattern map for given fluids and pipe");
    // usl and usg are the map's axes; the other inputs fix fluids and pipe.
    add_point_options(*command, options_.fluids, 2);
    MapRange& range = options_.range;
    add_number(*command, "--usl-min", range.usl_min, "m/s");
    add_number(*command, "--usl-max", range.usl_max, "m/s");
    add_number(*command, "--usg-min", range.usg_min, "m/s");
    add_number(*command, "--usg-max", range.usg_max, "m/s");
    add_count(*command, "--points", range.points, "grid cells along each axis");
    add_correlation_option(*command, options_.correlation);
    command
        ->add_option("--svg", svg_,
                     "picture to write (- for standard "
                     "output)")
        ->capture_default_str();
    command->add_option("--csv", csv_, "also write every grid point as CSV");
    return command;
  }

  int run(std::span<const PluginLibrary* const>,
          const CorrelationSet& correlations) override {
    options_.svg = svg_;
    if (!csv_.empty()) options_.csv = csv_;
    const MapOutcome outcome = run_map(correlations, options_);
    std::fprintf(stderr,
                 "map: %zu points through %s, %zu without a result; wrote "
                 "%s\n",
                 outcome.points, for_terminal(outcome.correlation).c_str(),
                 outcome.failed, for_terminal(svg_).c_str());
    return outcome.failed == 0 ? kExitDone : kExitCorrelationFailed;
  }

 private:
  MapOptions options_;
  std::string svg_ = "flow-map.svg";
  std::string csv_;
};

}  // namespace

std::unique_ptr<Command> make_map_command() {
  return std::make_unique<MapCommand>();
}

}  // namespace pipecorr::hostkit
