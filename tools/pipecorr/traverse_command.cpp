#include "traverse_command.hpp"

#include <CLI/CLI.hpp>

#include <cmath>
#include <cstdio>

#include "text/error.hpp"
#include "text/number_text.hpp"
#include "files/output_file.hpp"
#include "jobs/traverse.hpp"
#include "jobs/traverse_report.hpp"

namespace pipecorr::hostkit {
namespace {

constexpr double kTableRows = 20.0;

// The next 1, 2 or 5 times a power of ten: row spacings people read easily.
double round_spacing(double raw) {
  const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
  for (const double factor : {1.0, 2.0, 5.0}) {
    if (factor * magnitude >= raw) return factor * magnitude;
  }
  return 10.0 * magnitude;
}

}  // namespace

CLI::App* add_traverse_command(CLI::App& app, TraverseOptions& options) {
  auto* command = app.add_subcommand(
      "traverse",
      "march a pressure traverse along a pipe described by a case "
      "file and its profile");
  command
      ->add_option("case", options.case_file,
                   "case file (key = value lines naming a profile CSV)")
      ->required();
  command->add_option("--correlation,-c", options.correlation,
                      "catalogue name (default: the first in the catalogue)");
  command->add_option("--step", options.step, "march step length, m")
      ->capture_default_str();
  command->add_option("--every", options.every,
                      "table row spacing, m (default: about 20 rows; segment "
                      "starts and the outlet are always shown)");
  command->add_option("-o,--output", options.csv, "write every station as CSV");
  command->add_option("--svg", options.svg,
                      "draw pressure, holdup and elevation as SVG");
  return command;
}

int run_traverse_command(const CorrelationSet& correlations,
                         const TraverseOptions& options) {
  if (options.every.has_value() &&
      (!(*options.every > 0.0) || !std::isfinite(*options.every))) {
    throw Error("--every must be a positive length in metres, got " +
                   shortest(*options.every));
  }
  const TraverseCase pipe = load_case(options.case_file);
  const Correlation& correlation = options.correlation.empty()
                                       ? correlations.first_callable()
                                       : correlations.get(options.correlation);
  const Traverse traverse = run_traverse(correlation, pipe, options.step);
  const TraverseHeading heading{pipe.title, options.case_file,
                                correlation.name(), options.step};
  const double every =
      options.every.value_or(round_spacing(pipe.total_length() / kTableRows));
  write_output(std::nullopt, traverse_text(heading, pipe, traverse, every));
  if (!options.csv.empty()) write_output(options.csv, traverse_csv(traverse));
  if (!options.svg.empty()) {
    write_output(options.svg, traverse_svg(heading, pipe, traverse));
  }
  if (!traverse.stopped.empty()) {
    std::fprintf(stderr, "pipecorr: traverse stopped %s\n",
                 traverse.stopped.c_str());
    return 2;
  }
  return 0;
}

}  // namespace pipecorr::hostkit
