// `pipecorr batch`: every row of a table through the plug-in.
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "plugin/correlation.hpp"

namespace pipecorr::hostkit {

struct BatchOptions {
  std::filesystem::path input;
  std::optional<std::filesystem::path> output;  // none: standard output
  std::string correlation;  // for rows without one; empty: the first
  // Called now and then with the bytes read, the bytes in all and the rows
  // done, for a face that shows progress.
  std::function<void(std::size_t, std::size_t, std::size_t)> progress;
};

struct BatchSummary {
  std::size_t rows = 0;
  std::size_t malformed = 0;           // rows that could not be computed
  std::size_t correlation_errors = 0;  // rows with ierr != 0 from the plug-in
};

// Computes every good row and writes an error row for every bad one;
// reports bad rows on standard error with their line numbers. Throws
// Error only for problems that stop the whole table (file, header).
BatchSummary run_batch(const CorrelationSet& correlations,
                       const BatchOptions& options);

}  // namespace pipecorr::hostkit
