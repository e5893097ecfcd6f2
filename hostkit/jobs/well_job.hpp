// `traverse` of a field case and `lift`: the jobs a production engineer
// runs on a well, with their outputs.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "cases/well_case.hpp"
#include "plugin/correlation.hpp"

namespace pipecorr::hostkit {

struct WellJobOptions {
  std::filesystem::path case_file;
  // Catalogue names; several give one traverse each, overlaid in one
  // table and one picture. Empty: the case's `correlation`, else the
  // first callable one.
  std::vector<std::string> correlations;
  std::optional<double> step;  // longest march step, m; none: the case's
  std::optional<std::filesystem::path> csv;
  std::optional<std::filesystem::path> svg;
};

struct WellJobOutcome {
  bool completed = true;  // every traverse (or lift point) reached its end
};

// Writes the table to standard output and the CSV and picture where asked.
// Throws Error for a bad case, clashing or unwritable outputs, or a
// correlation that cannot be called; all before computing.
WellJobOutcome run_well_traverse_job(const CorrelationSet& correlations,
                                     const WellJobOptions& options);
WellJobOutcome run_lift_job(const CorrelationSet& correlations,
                            const WellJobOptions& options);

// Whether the case file is a field case (a well with a survey) rather than a
// pipeline case. Throws Error when it cannot be read.
[[nodiscard]] bool is_well_case_file(const std::filesystem::path& path);

// Splits "BB_3, ORBA_3" into names; throws Error on an empty one.
[[nodiscard]] std::vector<std::string> split_names(std::string_view list);

// Names given one by one (a list from Python), trimmed as split_names trims
// them; throws the same Error on an empty one.
[[nodiscard]] std::vector<std::string> checked_names(
    const std::vector<std::string>& names);

// The correlations a traverse of the case marches with: those named (none:
// the case's `correlation`, else the first callable one), each as the
// catalogue resolves it. Throws Error for a name that cannot be called
// (UnknownCorrelation when it picks out none) or one correlation named
// twice, in any spelling.
[[nodiscard]] std::vector<const Correlation*> traverse_correlations(
    const CorrelationSet& correlations, const std::vector<std::string>& named,
    const WellCase& well_case);

// The one correlation of lift curves, chosen as for the traverse; throws
// Error when that gives more than one.
[[nodiscard]] const Correlation& lift_correlation(
    const CorrelationSet& correlations, const std::vector<std::string>& named,
    const WellCase& well_case);

}  // namespace pipecorr::hostkit
