// `pipecorr batch`: a table of points. Exit 2 when any row failed in the
// correlation or was malformed, with one summary line on standard error;
// a warning there for each option the table's columns make unused.
#include <cstdio>

#include "commands.hpp"
#include "jobs/batch.hpp"
#include "options.hpp"
#include "progress_bar.hpp"
#include "text/escape.hpp"

namespace pipecorr::hostkit {
namespace {

// Malformed rows beyond this many are counted, not listed, so a wholly
// wrong file does not bury the summary.
constexpr std::size_t kListedProblems = 20;

class BatchCommand : public Command {
 public:
  CLI::App* add(CLI::App& app) override {
    auto* command = app.add_subcommand("batch", "compute a table of points");
    command
        ->add_option("input", input_,
                     "CSV naming usl,usg,rol,rog,visl,visg,eps,sigma,diam,fi,p "
                     "(plain or with their units, in any order; other "
                     "columns are carried through), optionally correlation; "
                     "- reads standard input")
        ->required();
    command->add_option("-o,--output", output_,
                        "output CSV (default, or -: standard output)");
    add_correlation_option(*command, options_.correlation)
        ->description(
            "for rows without a correlation cell (default: the "
            "first callable one in the catalogue)");
    add_default_options(*command, options_.defaults);
    command->add_flag("--no-progress", no_progress_,
                      "no progress bar even on a terminal");
    return command;
  }

  int run(std::span<const PluginLibrary* const>,
          const CorrelationSet& correlations) override {
    options_.input = input_;
    if (!output_.empty()) options_.output = output_;
    ProgressBar bar(!no_progress_);
    options_.progress = [&bar](std::size_t done, std::size_t total,
                               std::size_t rows) {
      bar.update(done, total, rows);
    };
    const std::string source = input_ == "-" ? "standard input" : input_;
    std::size_t listed = 0;
    options_.malformed_row = [&](std::string_view place,
                                 std::string_view problem) {
      if (++listed > kListedProblems) return;
      std::fprintf(stderr, "%s:%s: %s\n", for_terminal(source).c_str(),
                   std::string(place).c_str(), for_terminal(problem).c_str());
    };
    options_.warning = [](std::string_view text) {
      std::fprintf(stderr, "batch: warning: %s\n", for_terminal(text).c_str());
    };
    const BatchSummary summary = run_batch(correlations, options_);
    bar.finish();
    if (listed > kListedProblems) {
      std::fprintf(stderr, "%s: %zu more malformed rows not listed\n",
                   for_terminal(source).c_str(), listed - kListedProblems);
    }
    std::fprintf(stderr, "batch: %s\n", batch_summary_line(summary).c_str());
    return summary.all_computed() ? kExitDone : kExitCorrelationFailed;
  }

 private:
  BatchOptions options_;
  std::string input_;
  std::string output_;
  bool no_progress_ = false;
};

}  // namespace

std::unique_ptr<Command> make_batch_command() {
  return std::make_unique<BatchCommand>();
}

}  // namespace pipecorr::hostkit
