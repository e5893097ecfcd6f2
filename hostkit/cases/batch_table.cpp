#include "cases/batch_table.hpp"

#include <vector>

#include "text/escape.hpp"

#include "numbers/number_text.hpp"
#include "text/csv.hpp"
#include "text/error.hpp"

namespace pipecorr::hostkit {
namespace {

constexpr std::string_view kCorrelationColumn = "correlation";

std::vector<ColumnDefinition> batch_columns() {
  std::vector<ColumnDefinition> definitions;
  for (std::size_t k = 0; k < kInputCount; ++k) {
    definitions.push_back({kInputNames[k], kInputColumnUnits[k], false});
  }
  definitions.push_back({kCorrelationColumn, "", false});
  return definitions;
}

}  // namespace

BatchLayout parse_batch_header(std::span<const std::string_view> cells,
                               const InputDefaults& defaults) {
  for (std::size_t cell = 0; cell < cells.size(); ++cell) {
    for (const auto own : kOwnResultColumns) {
      if (cells[cell] != own) continue;
      throw Error("header has column '" + std::string(own) + "' (column " +
                  std::to_string(cell + 1) +
                  "), one of the results batch writes: the table looks like "
                  "batch's own output; run batch on the table it was made "
                  "from, or drop the result columns " +
                  [] {
                    std::string names;
                    for (const auto name : kResultColumns) {
                      if (!names.empty()) names += ", ";
                      names += name;
                    }
                    return names;
                  }());
    }
  }
  const auto definitions = batch_columns();
  const HeaderColumns matched = match_header(cells, definitions, true);
  BatchLayout layout;
  layout.count = matched.count;
  for (std::size_t k = 0; k < kInputCount; ++k) {
    layout.input[k] = matched.of_definition[k];
    if (layout.input[k] == HeaderColumns::kAbsent && !defaults[k]) {
      throw Error("header lacks column '" + std::string(kInputNames[k]) +
                  "' and no --" + std::string(kInputNames[k]) +
                  " gives its value");
    }
  }
  layout.correlation = matched.of_definition[kInputCount];
  return layout;
}

std::vector<std::string> unused_defaults(
    std::span<const std::string_view> cells, const BatchLayout& layout,
    const InputDefaults& defaults) {
  std::vector<std::string> warnings;
  for (std::size_t k = 0; k < kInputCount; ++k) {
    if (!defaults[k] || layout.input[k] == BatchLayout::kAbsent) continue;
    const std::string name(kInputNames[k]);
    warnings.push_back("--" + name + " " + shortest(*defaults[k]) + " " +
                       std::string(kInputUnits[k]) + " is not used: column " +
                       std::to_string(layout.input[k] + 1) + " ('" +
                       for_terminal(cells[layout.input[k]]) + "') gives " +
                       name + " on every row");
  }
  return warnings;
}

std::string batch_output_header(std::span<const std::string_view> cells,
                                const BatchLayout& layout) {
  const auto definitions = batch_columns();
  std::string out;
  const auto column = [&](std::string_view name) {
    if (!out.empty()) out += ',';
    append_cell(out, name);
  };
  const auto input_at = [&](std::size_t cell) -> std::optional<std::size_t> {
    for (std::size_t k = 0; k < kInputCount; ++k) {
      if (layout.input[k] == cell) return k;
    }
    return std::nullopt;
  };
  for (std::size_t cell = 0; cell < cells.size(); ++cell) {
    if (const auto k = input_at(cell)) {
      column(column_name(definitions[*k]));
    } else if (cell == layout.correlation) {
      column(kCorrelationColumn);
    } else {
      column(cells[cell]);  // not ours: unchanged
    }
  }
  for (std::size_t k = 0; k < kInputCount; ++k) {
    if (layout.input[k] == BatchLayout::kAbsent)
      column(column_name(definitions[k]));
  }
  if (layout.correlation == BatchLayout::kAbsent) column(kCorrelationColumn);
  for (const auto name : kResultColumns) column(name);
  return out + '\n';
}

bool parse_batch_row(const BatchLayout& layout,
                     std::span<const std::string_view> cells,
                     std::size_t cell_count, const InputDefaults& defaults,
                     BatchRow& row, std::string& problem) {
  row.correlation = {};
  if (cell_count != layout.count) {
    problem.assign("expected ");
    append_number(problem, static_cast<long long>(layout.count));
    problem.append(" cells as in the header, found ");
    append_number(problem, static_cast<long long>(cell_count));
    return false;
  }
  const auto fields = row.inputs.fields();
  for (std::size_t input = 0; input < kInputCount; ++input) {
    if (layout.input[input] == BatchLayout::kAbsent) {
      *fields[input] = *defaults[input];
      continue;
    }
    const auto cell = cells[layout.input[input]];
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
  if (layout.correlation != BatchLayout::kAbsent) {
    row.correlation = cells[layout.correlation];
  }
  return true;
}

}  // namespace pipecorr::hostkit
