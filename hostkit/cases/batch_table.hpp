// The tables of `batch`. The input names the interface's arguments as
// columns in any order, plainly ("usl") or with their unit ("usl_m_per_s"),
// with an optional `correlation` column; an input without a column takes
// its value from the options. Columns the host does not know (a case ID, a
// note) are carried through to the output unchanged, in place. The output
// repeats every input column (the known ones named with their units),
// then the inputs the options gave, the correlation when the input had no
// such column, and the results (kResultColumns). A table that already has
// the results' own columns (batch's output read back) is refused rather
// than given a second, stale copy of them.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "plugin/flow_point.hpp"

namespace pipecorr::hostkit {

// The result columns every output row ends with.
inline constexpr std::array<std::string_view, 6> kResultColumns{
    "dp_Pa_per_m", "holdup", "id", "pattern", "ierr", "errmsg"};
// The ones no other table uses: an input naming one of them is a table
// batch wrote. (A case "id" or a measured "holdup" are a table's own and
// carried through like any other column.)
inline constexpr std::array<std::string_view, 3> kOwnResultColumns{
    "dp_Pa_per_m", "ierr", "errmsg"};

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

// Throws Error naming a repeated column, a result column of batch's own
// (kOwnResultColumns), or an input that neither the header nor the
// defaults give.
[[nodiscard]] BatchLayout parse_batch_header(
    std::span<const std::string_view> cells, const InputDefaults& defaults);

// One warning per default the table does not use, because a column gives
// that input on every row ("--p 5000000 Pa is not used: column 11 ('p')
// gives p on every row").
[[nodiscard]] std::vector<std::string> unused_defaults(
    std::span<const std::string_view> cells, const BatchLayout& layout,
    const InputDefaults& defaults);

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
