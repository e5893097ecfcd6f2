// The input table of `pipecorr batch`: a header of the interface's argument
// names in any order, an optional `correlation` column, then one point a
// line.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "plugin/flow_point.hpp"

namespace pipecorr::hostkit {

// Room for every column a valid table can have, plus one so that a row
// with too many cells is still seen as such.
inline constexpr std::size_t kMaxBatchCells = kInputCount + 2;

struct BatchColumns {
  // Cell index of each input, in argument order.
  std::array<std::size_t, kInputCount> input{};
  std::optional<std::size_t> correlation;
  std::size_t count = 0;
};

// Throws Error naming the unknown, repeated or missing column.
[[nodiscard]] BatchColumns parse_batch_header(std::string_view line);

struct BatchRow {
  std::array<std::string_view, kMaxBatchCells> cells{};
  std::size_t cell_count = 0;
  FlowInputs inputs;
  std::string_view correlation;  // empty: the table's default
};

// Reads one data line. On failure returns false and sets problem to a
// message naming the column and the cell; `problem` keeps its capacity, so
// good rows allocate nothing.
bool parse_batch_row(const BatchColumns& columns, std::string_view line,
                     BatchRow& row, std::string& problem);

}  // namespace pipecorr::hostkit
