// pipecorr: a reference host for correlation plug-ins. It loads a plug-in
// by path the way a simulator does and runs the host's order: catalogue,
// run setup, calls, run cleanup.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <fstream>
#include <memory>
#include <optional>

#include "jobs/batch.hpp"
#include "jobs/point_report.hpp"
#include "text/error.hpp"
#include "plugin/correlation.hpp"
#include "plugin/default_library.hpp"
#include "jobs/example_point.hpp"
#include "jobs/describe_library.hpp"
#include "map_command.hpp"
#include "files/output_file.hpp"
#include "plugin/plugin_library.hpp"
#include "progress_bar.hpp"
#include "traverse_command.hpp"

namespace {

using namespace pipecorr::hostkit;

struct GlobalOptions {
  std::string library;
  bool log = false;
};

// The plug-in traces a run only when usercorr.dbg exists at the run setup;
// --log makes it exist (without emptying it: the setup does that).
void prepare_log(bool wanted) {
  if (!wanted) return;
  std::ofstream touch("usercorr.dbg", std::ios::app);
  if (!touch) {
    throw Error(
        "cannot create usercorr.dbg in the working directory for --log");
  }
}

std::unique_ptr<PluginLibrary> load(const GlobalOptions& global) {
  const std::filesystem::path path =
      global.library.empty() ? default_library()
                             : std::filesystem::path(global.library);
  return std::make_unique<PluginLibrary>(path);
}

void add_point_options(CLI::App& command, FlowInputs& point) {
  const auto fields = point.fields();
  for (std::size_t i = 0; i < kInputCount; ++i) {
    command
        .add_option(
            "--" + std::string(kInputNames[i]), *fields[i],
            std::string(kInputMeanings[i]) + ", " + std::string(kInputUnits[i]))
        ->capture_default_str();
  }
}

int run(int argc, char** argv) {
  CLI::App app{
      "pipecorr: two-phase pipe-flow correlations from a plug-in library.\n"
      "Loads the plug-in like a host simulator and computes single points,\n"
      "tables, flow-pattern maps and pressure traverses (SI units)."};
  app.require_subcommand(1);
  app.fallthrough();
  GlobalOptions global;
  app.add_option("--lib", global.library,
                 "plug-in library to load (default: the pipecorr library "
                 "installed beside this program)");
  app.add_flag("--log", global.log,
               "create usercorr.dbg in the working directory before the run "
               "setup, so the plug-in traces the run");

  auto* list = app.add_subcommand("list",
                                  "show the catalogue and the "
                                  "identification lines");

  auto* calc = app.add_subcommand("calc", "compute one point");
  FlowInputs point = kExamplePoint;
  std::string calc_correlation;
  bool json = false;
  add_point_options(*calc, point);
  calc->add_option("--correlation,-c", calc_correlation,
                   "catalogue name (default: the first in the catalogue)");
  calc->add_flag("--json", json, "print the result as one JSON object");

  auto* batch = app.add_subcommand("batch", "compute a table of points");
  BatchOptions batch_options;
  std::string batch_input;
  std::string batch_output;
  bool no_progress = false;
  batch
      ->add_option("input", batch_input,
                   "CSV with columns usl,usg,rol,rog,visl,visg,eps,sigma,"
                   "diam,fi,p and optionally correlation")
      ->required();
  batch->add_option("-o,--output", batch_output,
                    "output CSV (default: standard output)");
  batch->add_option("--correlation,-c", batch_options.correlation,
                    "for rows without a correlation cell (default: the first "
                    "in the catalogue)");
  batch->add_flag("--no-progress", no_progress,
                  "no progress bar even on a terminal");

  MapOptions map_options;
  map_options.fluids = kExamplePoint;
  auto* map = add_map_command(app, map_options);

  TraverseOptions traverse_options;
  auto* traverse = add_traverse_command(app, traverse_options);

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    // Help and version exit 0; every usage error exits 1 like any other.
    return app.exit(error) == 0 ? 0 : 1;
  }

  // Before the library loads, so that a plug-in tracing from its very first
  // call (the catalogue) finds the file too.
  prepare_log(global.log);
  const auto library = load(global);
  // Host order: catalogue first, then the run.
  const CorrelationSet correlations(*library);

  if (*list) {
    write_output(std::nullopt, describe_library(*library));
    return 0;
  }
  const RunSession session(*library);
  if (*calc) {
    check_finite_inputs(point, false);
    const Correlation& correlation = calc_correlation.empty()
                                         ? correlations.first_callable()
                                         : correlations.get(calc_correlation);
    FlowResult result;
    correlation.call(point, result);
    write_output(std::nullopt,
                 json ? format_point_json(correlation, point, result)
                      : format_point_text(correlation, point, result));
    return result.ierr == 0 ? 0 : 2;
  }
  if (*batch) {
    batch_options.input = batch_input;
    if (!batch_output.empty()) batch_options.output = batch_output;
    ProgressBar bar(!no_progress);
    batch_options.progress = [&bar](std::size_t done, std::size_t total,
                                    std::size_t rows) {
      bar.update(done, total, rows);
    };
    const auto summary = run_batch(correlations, batch_options);
    std::fprintf(stderr,
                 "batch: %zu rows, %zu computed, %zu malformed, %zu with a "
                 "correlation error\n",
                 summary.rows, summary.rows - summary.malformed,
                 summary.malformed, summary.correlation_errors);
    return summary.malformed == 0 ? 0 : 1;
  }
  if (*map) return run_map_command(correlations, map_options);
  if (*traverse) return run_traverse_command(correlations, traverse_options);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return run(argc, argv);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "pipecorr: error: %s\n", error.what());
    return 1;
  }
}
