// `traverse`: a pressure traverse along a pipe from a case file, as a table
// on standard output and, if asked, as CSV and as a picture.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "plugin/correlation.hpp"

namespace pipecorr::hostkit {

struct TraverseOptions {
  std::filesystem::path case_file;
  std::string correlation;      // empty: the first in the catalogue
  double step = 10.0;           // m
  std::optional<double> every;  // table row spacing, m; none: about 20 rows
  std::optional<std::filesystem::path> csv;
  std::optional<std::filesystem::path> svg;
};

struct TraverseOutcome {
  std::string stopped;  // empty when the march reached the outlet
};

// Throws Error for a bad case, step or spacing, outputs that cannot be
// written or clash, or a correlation that cannot be called.
TraverseOutcome run_traverse_job(const CorrelationSet& correlations,
                                 const TraverseOptions& options);

}  // namespace pipecorr::hostkit
