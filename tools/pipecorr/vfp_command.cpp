// `pipecorr vfp CASE`: the lift table of a well for a reservoir simulator
// (VFPPROD for a producer, VFPINJ for an injector). Exit 2 when some point
// had to be filled, with the count per cause on standard error.
#include <cstdio>

#include "cases/case_plugins.hpp"
#include "commands.hpp"
#include "jobs/vfp_job.hpp"
#include "options.hpp"
#include "progress_bar.hpp"
#include "text/escape.hpp"

namespace pipecorr::hostkit {
namespace {

class VfpCommand : public Command {
 public:
  CLI::App* add(CLI::App& app) override {
    auto* command = app.add_subcommand(
        "vfp",
        "a lift table for a reservoir simulator: bottom-hole pressure over "
        "rate, tubing-head pressure, water and gas fractions (VFPPROD), or "
        "over rate and tubing-head pressure for an injector (VFPINJ)");
    command->add_option("case", case_file_, "field case file")->required();
    command->add_option("-o,--output", output_,
                        "the table file (default, or -: standard output)");
    command->add_option("--table", table_, "the table number (default 1)")
        ->check(CLI::Range(1, 9999));
    command->add_option("--datum", datum_,
                        "where the pressures are given: md:D, tvd:D or a TVD "
                        "D, in the case's length unit unless D names one "
                        "(default: the TVD of the bottom of the well)");
    add_correlation_option(*command, correlation_);
    add_number(*command, "--step", step_,
               "longest march step in the case's length unit (ft in a field "
               "case, m in an SI one); default the case's step");
    command
        ->add_option("--threads", threads_,
                     "threads for a correlation that may share them "
                     "(default: one per core)")
        ->check(CLI::Range(1, 256));
    command->add_flag("--no-progress", no_progress_,
                      "no progress bar even on a terminal");
    return command;
  }

  [[nodiscard]] std::vector<std::filesystem::path> case_plugins()
      const override {
    return case_file_plugins(case_file_);
  }

  int run(std::span<const PluginLibrary* const>,
          const CorrelationSet& correlations) override {
    VfpJobOptions options;
    options.request.source.path = case_file_;
    options.request.correlations = correlation_;
    options.request.step = step_;
    if (!output_.empty()) options.output = output_;
    options.table = table_;
    if (!datum_.empty()) options.datum = datum_;
    if (threads_ > 0) options.threads = threads_;
    ProgressBar bar(!no_progress_);
    options.progress = [&bar](std::size_t done, std::size_t total) {
      bar.update(done, total, done);
    };
    const VfpJobOutcome outcome = run_vfp_job(correlations, options);
    bar.finish();
    for (const std::string& line : outcome.summary) {
      std::fprintf(stderr, "vfp: %s\n", for_terminal(line).c_str());
    }
    return outcome.completed() ? kExitDone : kExitCorrelationFailed;
  }

 private:
  std::string case_file_;
  std::string output_;
  int table_ = 1;
  std::string datum_;
  std::string correlation_;
  std::optional<double> step_;
  std::size_t threads_ = 0;
  bool no_progress_ = false;
};

}  // namespace

std::unique_ptr<Command> make_vfp_command() {
  return std::make_unique<VfpCommand>();
}

}  // namespace pipecorr::hostkit
