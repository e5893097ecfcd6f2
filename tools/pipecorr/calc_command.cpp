// `pipecorr calc`: one point, for people or (with --json) for programs.
#include "commands.hpp"
#include "files/output_file.hpp"
#include "jobs/point.hpp"
#include "options.hpp"

namespace pipecorr::hostkit {
namespace {

class CalcCommand : public Command {
 public:
  CLI::App* add(CLI::App& app) override {
    auto* command = app.add_subcommand("calc", "compute one point");
    add_point_options(*command, options_.inputs);
    add_correlation_option(*command, options_.correlation);
    command->add_flag("--json", options_.json,
                      "print the result as one JSON object");
    return command;
  }
  int run(const PluginLibrary&, const CorrelationSet& correlations) override {
    const PointOutcome outcome = run_point(correlations, options_);
    write_output(std::nullopt, outcome.report);
    return outcome.result.ierr == 0 ? kExitDone : kExitCorrelationFailed;
  }

 private:
  PointOptions options_;
};

}  // namespace

std::unique_ptr<Command> make_calc_command() {
  return std::make_unique<CalcCommand>();
}

}  // namespace pipecorr::hostkit
