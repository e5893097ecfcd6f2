// `pipecorr batch`: every row of a table through the plug-in.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

#include "correlation.hpp"

namespace pipecorr::cli {

struct BatchOptions {
  std::filesystem::path input;
  std::optional<std::filesystem::path> output;  // none: standard output
  std::string correlation;  // for rows without one; empty: the first
  bool progress = true;
};

struct BatchSummary {
  std::size_t rows = 0;
  std::size_t malformed = 0;           // rows that could not be computed
  std::size_t correlation_errors = 0;  // rows with ierr != 0 from the plug-in
};

// Computes every good row and writes an error row for every bad one;
// reports bad rows on standard error with their line numbers. Throws
// CliError only for problems that stop the whole table (file, header).
BatchSummary run_batch(const CorrelationSet& correlations,
                       const BatchOptions& options);

}  // namespace pipecorr::cli
