// `batch`: every row of a table through the plug-in. Rows are read, computed
// and written in order, one output row per input record, with bounded
// memory beyond the input text itself.
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "cases/batch_table.hpp"
#include "cases/table_input.hpp"
#include "plugin/correlation.hpp"

namespace pipecorr::hostkit {

struct BatchOptions {
  std::filesystem::path input;                  // "-": standard input
  std::optional<std::filesystem::path> output;  // none or "-": standard output
  std::string correlation;  // for rows without one; empty: the first
  InputDefaults defaults;   // inputs the table has no column for
  // Called now and then with the bytes read, the bytes in all and the rows
  // done, for a face that shows progress.
  std::function<void(std::size_t, std::size_t, std::size_t)> progress;
  // Called for each malformed row with where it lies ("12", or "584-2039"
  // for a record spanning lines) and the problem.
  std::function<void(std::string_view, std::string_view)> malformed_row;
  // Called before the first row for each thing the run does not use as
  // asked (an option beside a column of the same input).
  std::function<void(std::string_view)> warning;
  // Standard input or a pipe is read up to this many bytes.
  std::size_t max_stream_bytes = kMaxStreamBytes;
};

struct BatchSummary {
  std::size_t rows = 0;
  std::size_t computed = 0;   // rows the correlation answered with ierr 0
  std::size_t failed = 0;     // rows the correlation reported a failure for
  std::size_t malformed = 0;  // rows that could not be handed to one

  [[nodiscard]] bool all_computed() const { return computed == rows; }
};

// Computes every good row and writes an error row for every bad one.
// Throws Error only for problems that stop the whole table (files, a
// stream past max_stream_bytes, the header).
BatchSummary run_batch(const CorrelationSet& correlations,
                       const BatchOptions& options);

// "N rows: M computed, K failed in the correlation, J malformed".
[[nodiscard]] std::string batch_summary_line(const BatchSummary& summary);

}  // namespace pipecorr::hostkit
