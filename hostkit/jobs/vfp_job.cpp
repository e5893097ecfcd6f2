#include "jobs/vfp_job.hpp"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <thread>

#include "files/debug_log_file.hpp"
#include "files/output_set.hpp"
#include "jobs/well_job.hpp"
#include "numbers/number_text.hpp"
#include "plugin/default_library.hpp"
#include "reports/vfp_deck.hpp"
#include "text/error.hpp"
#include "text/escape.hpp"
#include "units/quantity.hpp"

namespace pipecorr::hostkit {
namespace {

// The bundled correlations that keep nothing from one call to the next
// but the log switch. ORBA_3 keeps the engine's output vector.
constexpr std::array<std::string_view, 6> kSharesThreads{
    "BB_2", "BB_3", "HB_3", "GRAY_3", "MB_3", "ANSARI_3"};

std::string file_bytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

bool same_file_content(const std::filesystem::path& a,
                       const std::filesystem::path& b) {
  std::error_code error;
  if (std::filesystem::equivalent(a, b, error)) return true;
  const std::string left = file_bytes(a);
  return !left.empty() && left == file_bytes(b);
}

VfpDatum parse_datum(std::string_view text, UnitSystem units) {
  VfpDatum datum;
  std::string_view depth = trim_blanks(text);
  for (const auto& [prefix, kind] :
       {std::pair{std::string_view("md:"), VfpDatum::Kind::kMd},
        std::pair{std::string_view("tvd:"), VfpDatum::Kind::kTvd}}) {
    if (depth.starts_with(prefix)) {
      datum.kind = kind;
      depth.remove_prefix(prefix.size());
    }
  }
  try {
    datum.depth = parse_quantity(depth, Dimension::kDepth, units);
  } catch (const Error& error) {
    throw Error("--datum '" + for_terminal(text) + "': " + error.what() +
                " (give md:D, tvd:D or a TVD D)");
  }
  return datum;
}

std::string today() {
  const auto now =
      std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now());
  const std::chrono::year_month_day date{now};
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u", int(date.year()),
                unsigned(date.month()), unsigned(date.day()));
  return text;
}

std::string comments(const WellCase& c, const VfpJobOutcome& out) {
  const VfpBuild& build = out.build;
  std::string text = "Lift table written by pipecorr vfp on " + today() + "\n";
  text += "case: " + c.source.filename().string() + " (" + c.title + ")\n";
  text += "correlation: " + out.correlation + " of " + out.plugin + "\n";
  text += std::to_string(build.computed.size()) + " points, " +
          std::to_string(build.computed.size() - build.filled()) +
          " from traverses";
  if (build.filled() > 0) {
    text += ", " + std::to_string(build.filled()) +
            " filled along the rate axis (docs/vfp.md)";
  }
  return text + "\n";
}

std::vector<std::string> summary(const VfpJobOutcome& out) {
  const VfpBuild& b = out.build;
  std::vector<std::string> lines;
  lines.push_back(std::to_string(b.computed.size()) + " points on " +
                  std::to_string(b.threads) +
                  (b.threads == 1 ? " thread, " : " threads, ") +
                  std::to_string(b.computed.size() - b.filled()) +
                  " computed, " + std::to_string(b.filled()) + " filled");
  for (const VfpCause& cause : b.causes) {
    lines.push_back(
        std::to_string(cause.count) +
        (cause.count == 1 ? " point filled: " : " points filled: ") +
        cause.what + "; the first: " + cause.first);
  }
  return lines;
}

}  // namespace

bool shares_threads(
    const Correlation& correlation, const CorrelationSet& correlations,
    const std::optional<std::filesystem::path>& bundled_folder) {
  if (std::find(kSharesThreads.begin(), kSharesThreads.end(),
                correlation.name()) == kSharesThreads.end()) {
    return false;
  }
  // Overlapping calls would interleave their trace blocks.
  if (debug_log_file_usable() || debug_log_file_usable(kWellsDebugLogName)) {
    return false;
  }
  for (const auto& offer : correlations.offers()) {
    if (offer.name != correlation.name() ||
        offer.source != correlation.source()) {
      continue;
    }
    const std::filesystem::path& file =
        correlations.library_paths()[offer.origin];
    if (bundled_folder) {
      return same_file_content(file, *bundled_folder / correlation.source());
    }
    try {
      return same_file_content(file, default_library(correlation.source()));
    } catch (const Error&) {
      return false;  // no bundled build to compare with
    }
  }
  return false;
}

VfpJobOutcome make_vfp(const CorrelationSet& correlations,
                       const VfpJobOptions& options) {
  if (options.table < 1) {
    throw Error("the table number must be 1 or more, got " +
                std::to_string(options.table));
  }
  std::vector<std::string> names =
      requested_names(options.request.correlations);
  WellCase well_case = read_well_case(options.request.source);
  apply_step(well_case, options.request.step);
  const auto chosen = traverse_correlations(correlations, names, well_case);
  if (chosen.size() != 1) {
    throw Error("a lift table takes one correlation at a time");
  }
  const Correlation& correlation = *chosen.front();

  VfpRunOptions run;
  if (options.datum) run.datum = parse_datum(*options.datum, well_case.units);
  run.threads = 1;
  if (shares_threads(correlation, correlations, options.bundled_folder)) {
    run.threads = options.threads.value_or(
        std::max(1u, std::thread::hardware_concurrency()));
  }
  run.progress = options.progress;
  run.stop = options.stop;

  VfpJobOutcome out;
  out.correlation = correlation.name();
  out.plugin = correlation.source();
  out.units = well_case.units;
  out.build = build_vfp(correlation, well_case, run);
  out.text = vfp_keyword_text(out.build, well_case.units, options.table,
                              comments(well_case, out));
  out.summary = summary(out);
  return out;
}

VfpJobOutcome run_vfp_job(const CorrelationSet& correlations,
                          const VfpJobOptions& options) {
  const WellCase well_case = read_well_case(options.request.source);
  std::vector<InputRequest> inputs{{options.request.source.path, "case file"}};
  for (const auto& library : correlations.library_paths()) {
    inputs.push_back({library, "plug-in library"});
  }
  for (const auto& table : well_case.tables) inputs.push_back({table, "table"});
  const std::vector<OutputRequest> list{{options.output, "lift table"}};
  OutputSet outputs(list, inputs);

  VfpJobOutcome out = make_vfp(correlations, options);
  outputs[0].write(out.text);
  outputs[0].commit();
  return out;
}

}  // namespace pipecorr::hostkit
