// The tables of `batch`. The input names the interface's arguments as
// columns in any order, plainly ("usl") or with their unit ("usl_m_per_s"),
// with an optional `correlation` column; an input without a column takes
// its value from the options. Columns the host does not know (a case ID, a
// note) are carried through to the output unchanged, in place. The output
// repeats every input column (the known ones named with their units),
// then the inputs the options gave, the correlation when the input had no
// such column, and the results.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "plugin/flow_point.hpp"

namespace pipecorr::hostkit {

// Values for inputs that have no column (from the options).
using InputDefaults = std::array<std::optional<double>, kInputCount>;

struct BatchLayout {
  static constexpr std::size_t kAbsent = static_cast<std::size_t>(-1);
  // Cell index of each input, in argument order; kAbsent when it comes
  // from the defaults.
  std::array<std::size_t, kInputCount> input{};
  std::size_t correlation = kAbsent;
  std::size_t count = 0;  // cells in the header
};

// Throws Error naming a repeated column, or an input that neither the
// header nor the defaults give.
[[nodiscard]] BatchLayout parse_batch_header(
    std::span<const std::string_view> cells, const InputDefaults& defaults);

// The output's header line, ending in a line break.
[[nodiscard]] std::string batch_output_header(
    std::span<const std::string_view> cells, const BatchLayout& layout);

struct BatchRow {
  FlowInputs inputs;
  std::string_view correlation;  // empty: the table's default
};

// Reads one data record. On failure returns false and sets problem to a
// message naming the column and the cell; `problem` keeps its capacity, so
// good rows allocate nothing.
bool parse_batch_row(const BatchLayout& layout,
                     std::span<const std::string_view> cells,
                     std::size_t cell_count, const InputDefaults& defaults,
                     BatchRow& row, std::string& problem);

}  // namespace pipecorr::hostkit
