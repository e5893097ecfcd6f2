// `pipecorr calc`: one point, for people or (with --json) for programs.
// With --strict the point is called the way `pipecorr check` calls it, so a
// counter-example the check printed can be made again.
#include "check/strict_call.hpp"
#include "commands.hpp"
#include "files/output_file.hpp"
#include "options.hpp"
#include "reports/point_report.hpp"
#include "studies/point.hpp"
#include "text/error.hpp"
#include "text/escape.hpp"

namespace pipecorr::hostkit {
namespace {

class CalcCommand : public Command {
 public:
  CLI::App* add(CLI::App& app) override {
    auto* command = app.add_subcommand("calc", "compute one point");
    // Read when the flag is met, before the inputs, which it lets be
    // non-finite.
    command
        ->add_flag("--strict", strict_,
                   "call as `pipecorr check` does: traps for "
                   "divide-by-zero, invalid and overflow enabled, canaries "
                   "around every output, the host's floating-point state "
                   "compared, the call made twice; inputs may be nan, inf or "
                   "-inf; exit 2 when a promise is broken")
        ->trigger_on_parse();
    add_point_options(*command, options_.inputs, 0, &strict_);
    add_correlation_option(*command, options_.correlation);
    command->add_flag("--json", json_, "print the result as one JSON object");
    command->add_option("--host-fp", host_fp_,
                        "with --strict: the host floating-point state, one "
                        "of " +
                            host_fp_setting_names());
    command->add_flag("--xinfo-request", strict_options_.xinfo_request,
                      "with --strict: set xinfo[0] to -999 (the diagnostic "
                      "request) before the call");
    return command;
  }
  int run(std::span<const PluginLibrary* const>,
          const CorrelationSet& correlations) override {
    if (strict_) return run_strict(correlations);
    if (!host_fp_.empty() || strict_options_.xinfo_request) {
      throw Error("--host-fp and --xinfo-request go with --strict");
    }
    const PointOutcome outcome = run_point(correlations, options_);
    write_output(std::nullopt,
                 json_ ? format_point_json(*outcome.correlation,
                                           options_.inputs, outcome.result)
                       : format_point_text(*outcome.correlation,
                                           options_.inputs, outcome.result));
    return outcome.result.ierr == 0 ? kExitDone : kExitCorrelationFailed;
  }

 private:
  int run_strict(const CorrelationSet& correlations) {
    if (!host_fp_.empty()) {
      strict_options_.host = find_host_fp_setting(host_fp_);
      if (strict_options_.host == nullptr) {
        throw Error("--host-fp: '" + for_terminal(host_fp_) +
                    "' is not one of " + host_fp_setting_names());
      }
    }
    const Correlation& correlation = correlations.choose(options_.correlation);
    const StrictOutcome outcome =
        strict_call(correlation, options_.inputs, strict_options_);
    const FlowResult result = as_flow_result(outcome.first.outputs);
    std::string report;
    if (json_) {
      report = format_point_json(correlation, options_.inputs, result);
      report.resize(report.size() - 2);  // reopen the object: "}\n"
      report += ",\"broken\":[";
      for (std::size_t k = 0; k < outcome.broken.size(); ++k) {
        if (k > 0) report += ",";
        report += json_string(outcome.broken[k]);
      }
      report += "]}\n";
    } else {
      report = format_point_text(correlation, options_.inputs, result);
      for (const auto& broken : outcome.broken) {
        report += "broken       " + for_terminal(broken) + "\n";
      }
      if (outcome.broken.empty()) report += "promises     all kept\n";
    }
    write_output(std::nullopt, report);
    return outcome.broken.empty() && result.ierr == 0 ? kExitDone
                                                      : kExitCorrelationFailed;
  }

  PointOptions options_;
  bool json_ = false;
  bool strict_ = false;
  std::string host_fp_;
  StrictOptions strict_options_;
};

}  // namespace

std::unique_ptr<Command> make_calc_command() {
  return std::make_unique<CalcCommand>();
}

}  // namespace pipecorr::hostkit
