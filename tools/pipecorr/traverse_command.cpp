// `pipecorr traverse CASE`: a pressure traverse along a pipe (a pipeline
// case of mass rates and a profile) or up a well (a field case with a
// survey and a black-oil fluid).
#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>

#include "cases/case_plugins.hpp"
#include "cases/well_case.hpp"
#include "cases/well_case_keys.hpp"
#include "commands.hpp"
#include "files/input_file.hpp"
#include "jobs/traverse_job.hpp"
#include "jobs/well_job.hpp"
#include "options.hpp"
#include "text/escape.hpp"

namespace pipecorr::hostkit {
namespace {

// The keys of a field case, from the table the case reader uses.
std::string field_case_key_help() {
  std::string text = "Keys of a field case (docs/well-cases.md):\n";
  for (const CaseKey& entry : kWellCaseKeys) {
    std::string key(entry.key);
    key.resize(std::max<std::size_t>(key.size() + 1, 25), ' ');
    text += "  " + key + std::string(entry.meaning) + "; " +
            std::string(entry.fallback) + "\n";
  }
  return text;
}

class TraverseCommand : public Command {
 public:
  CLI::App* add(CLI::App& app) override {
    auto* command = app.add_subcommand(
        "traverse",
        "march a pressure traverse along a pipe (a case naming a profile) "
        "or a well (a field case naming a survey)");
    command
        ->add_option("case", case_file_,
                     "case file (key = value lines naming a profile CSV, or "
                     "a survey CSV for a well)")
        ->required();
    add_correlation_option(*command, options_.correlation)
        ->description(
            "catalogue name; for a well also a comma list (BB_3,ORBA_3) whose "
            "traverses share one table and picture (default: the case's, "
            "else the first callable one)");
    step_ = add_number(*command, "--step", options_.step,
                       "march step length in the case's length unit (ft in "
                       "a field case, m in an SI one; m for a pipeline): for "
                       "a well the longest step, default the case's step "
                       "(100 ft unless it says); for a pipeline 10 m")
                ->default_str("");
    add_number(*command, "--every", options_.every,
               "table row spacing along the pipe or well, in the same unit "
               "as --step: besides its stations (segment ends, survey "
               "stations) the table shows the first step end in each such "
               "length (default: about 20 rows for a pipe, the stations "
               "only for a well)");
    command->add_option("-o,--output", csv_, "write every station as CSV");
    command->add_option("--svg", svg_,
                        "draw pressure, holdup and elevation as SVG");
    command->footer(field_case_key_help());
    return command;
  }

  [[nodiscard]] std::vector<std::filesystem::path> case_plugins()
      const override {
    return case_file_plugins(case_file_);
  }

  // 0 when the march reached the outlet, 2 when it had to stop early (the
  // stations up to there are still reported).
  int run(std::span<const PluginLibrary* const>,
          const CorrelationSet& correlations) override {
    // Read once: a field case is marched from this text.
    std::string text =
        read_input(case_file_, "case file", InputKind::kRegularFile);
    if (is_well_case(text)) return run_well(correlations, std::move(text));
    options_.case_file = case_file_;
    if (!csv_.empty()) options_.csv = csv_;
    if (!svg_.empty()) options_.svg = svg_;
    const TraverseOutcome outcome = run_traverse_job(correlations, options_);
    if (outcome.stopped.empty()) return kExitDone;
    std::fprintf(stderr, "pipecorr: traverse stopped %s\n",
                 for_terminal(outcome.stopped).c_str());
    return kExitCorrelationFailed;
  }

 private:
  int run_well(const CorrelationSet& correlations, std::string text) {
    WellJobOptions well;
    well.request.source.path = case_file_;
    well.request.source.text = std::move(text);
    well.request.correlations = options_.correlation;
    if (step_->count() > 0) well.request.step = options_.step;
    well.every = options_.every;
    if (!csv_.empty()) well.csv = csv_;
    if (!svg_.empty()) well.svg = svg_;
    return run_well_traverse_job(correlations, well).completed
               ? kExitDone
               : kExitCorrelationFailed;
  }

  TraverseOptions options_;
  CLI::Option* step_ = nullptr;
  std::string case_file_;
  std::string csv_;
  std::string svg_;
};

}  // namespace

std::unique_ptr<Command> make_traverse_command() {
  return std::make_unique<TraverseCommand>();
}

}  // namespace pipecorr::hostkit
