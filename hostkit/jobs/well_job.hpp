// `traverse` of a field case and `lift`: the jobs a production engineer
// runs on a well, with their outputs.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "cases/well_case.hpp"
#include "jobs/well_request.hpp"
#include "plugin/correlation.hpp"

namespace pipecorr::hostkit {

struct WellJobOptions {
  // The case, the correlations (several give one traverse each, overlaid
  // in one table and one picture) and the step, checked as for Python.
  WellRequest request;
  // Traverse only: the table also shows a row at the first step end in
  // each `every` of md, in the case's length unit (table_rows); none: the
  // stations only.
  std::optional<double> every;
  std::optional<std::filesystem::path> csv;
  std::optional<std::filesystem::path> svg;
};

struct WellJobOutcome {
  bool completed = true;  // every traverse (or lift point) reached its end
};

// Writes the table to standard output and the CSV and picture where asked.
// Throws Error for a request prepare_well_traverse or prepare_lift refuses,
// or for clashing or unwritable outputs; all before computing.
WellJobOutcome run_well_traverse_job(const CorrelationSet& correlations,
                                     const WellJobOptions& options);
WellJobOutcome run_lift_job(const CorrelationSet& correlations,
                            const WellJobOptions& options);

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
