#include "jobs/batch_table.hpp"

#include "text/error.hpp"
#include "text/csv.hpp"
#include "text/number_text.hpp"

namespace pipecorr::hostkit {
namespace {

constexpr std::string_view kCorrelationColumn = "correlation";
constexpr std::size_t kUnset = static_cast<std::size_t>(-1);

std::string expected_columns() {
  std::string text;
  for (const auto name : kInputNames) {
    if (!text.empty()) text += ',';
    text += name;
  }
  return text + " and optionally correlation";
}

}  // namespace

BatchColumns parse_batch_header(std::string_view line) {
  // Room for more columns than a table may have, so that a repeated or
  // unknown name is reported as such rather than as a count.
  std::array<std::string_view, 4 * kMaxBatchCells> cells{};
  const auto count = split_cells(line, cells);
  if (count > cells.size()) {
    throw Error("header has " + std::to_string(count) +
                   " columns; expected " + expected_columns());
  }
  BatchColumns columns;
  columns.input.fill(kUnset);
  columns.count = count;
  for (std::size_t cell = 0; cell < count; ++cell) {
    const auto name = cells[cell];
    if (name == kCorrelationColumn) {
      if (columns.correlation) {
        throw Error("header names column 'correlation' twice");
      }
      columns.correlation = cell;
      continue;
    }
    bool known = false;
    for (std::size_t input = 0; input < kInputCount; ++input) {
      if (name != kInputNames[input]) continue;
      if (columns.input[input] != kUnset) {
        throw Error("header names column '" + std::string(name) + "' twice");
      }
      columns.input[input] = cell;
      known = true;
    }
    if (!known) {
      throw Error("header has unknown column '" + std::string(name) +
                     "'; expected " + expected_columns());
    }
  }
  for (std::size_t input = 0; input < kInputCount; ++input) {
    if (columns.input[input] == kUnset) {
      throw Error("header lacks column '" + std::string(kInputNames[input]) +
                     "'; expected " + expected_columns());
    }
  }
  return columns;
}

bool parse_batch_row(const BatchColumns& columns, std::string_view line,
                     BatchRow& row, std::string& problem) {
  row.cell_count = split_cells(line, row.cells);
  row.correlation = {};
  if (row.cell_count != columns.count) {
    problem.assign("expected ");
    append_number(problem, static_cast<long long>(columns.count));
    problem.append(" cells as in the header, found ");
    append_number(problem, static_cast<long long>(row.cell_count));
    return false;
  }
  const auto fields = row.inputs.fields();
  for (std::size_t input = 0; input < kInputCount; ++input) {
    const auto cell = row.cells[columns.input[input]];
    const auto result = parse_number(cell, *fields[input]);
    if (result != NumberProblem::kNone) {
      problem.assign("column '");
      problem.append(kInputNames[input]);
      if (result == NumberProblem::kEmpty) {
        problem.append("' is empty");
      } else {
        problem.append("': '");
        problem.append(cell);
        problem.append("' ");
        problem.append(describe(result));
      }
      return false;
    }
  }
  if (columns.correlation) row.correlation = row.cells[*columns.correlation];
  return true;
}

}  // namespace pipecorr::hostkit
