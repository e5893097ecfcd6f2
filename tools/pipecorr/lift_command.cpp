// `pipecorr lift CASE`: lift curves of a well, and the operating point
// when the case gives an inflow.
#include "cases/case_plugins.hpp"
#include "commands.hpp"
#include "jobs/well_job.hpp"
#include "options.hpp"

namespace pipecorr::hostkit {
namespace {

class LiftCommand : public Command {
 public:
  CLI::App* add(CLI::App& app) override {
    auto* command = app.add_subcommand(
        "lift",
        "bottom-hole pressure for the case's liquid rates and gas-liquid "
        "ratios (or wellhead pressures), and the operating point on its "
        "inflow");
    command->add_option("case", case_file_, "field case file")->required();
    add_correlation_option(*command, correlation_);
    add_number(*command, "--step", step_,
               "longest march step in the case's length unit (ft in a field "
               "case, m in an SI one); default the case's step");
    command->add_option("-o,--output", csv_, "write every point as CSV");
    command->add_option("--svg", svg_, "draw the curves as SVG");
    return command;
  }

  [[nodiscard]] std::vector<std::filesystem::path> case_plugins()
      const override {
    return case_file_plugins(case_file_);
  }

  // 0 when every point was computed, 2 when some traverse had to stop.
  int run(std::span<const PluginLibrary* const>,
          const CorrelationSet& correlations) override {
    WellJobOptions options;
    options.request.source.path = case_file_;
    options.request.correlations = correlation_;
    options.request.step = step_;
    if (!csv_.empty()) options.csv = csv_;
    if (!svg_.empty()) options.svg = svg_;
    return run_lift_job(correlations, options).completed
               ? kExitDone
               : kExitCorrelationFailed;
  }

 private:
  std::string case_file_;
  std::string correlation_;
  std::optional<double> step_;
  std::string csv_;
  std::string svg_;
};

}  // namespace

std::unique_ptr<Command> make_lift_command() {
  return std::make_unique<LiftCommand>();
}

}  // namespace pipecorr::hostkit
