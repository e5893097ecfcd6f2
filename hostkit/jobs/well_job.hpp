// `traverse` of a field case and `lift`: the jobs a production engineer
// runs on a well, with their outputs.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

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

}  // namespace pipecorr::hostkit
