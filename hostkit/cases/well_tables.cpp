#include "cases/well_tables.hpp"

#include <array>
#include <optional>
#include <span>

#include "cases/well_limits.hpp"
#include "numbers/number_text.hpp"
#include "text/csv.hpp"
#include "text/error.hpp"
#include "text/escape.hpp"

namespace pipecorr::hostkit {
namespace {

// A column the reader knows: a quantity of a dimension, or (none) an angle
// in degrees.
struct Column {
  std::string_view name;
  std::optional<Dimension> dimension;
  bool required = true;
};

constexpr std::array<Column, 4> kSurveyColumns{{
    {"md", Dimension::kDepth, true},
    {"inclination", std::nullopt, true},
    {"azimuth", std::nullopt, false},
    {"tvd", Dimension::kDepth, false},
}};
constexpr std::array<Column, 4> kPipeColumns{{
    {"md_top", Dimension::kDepth, true},
    {"md_bottom", Dimension::kDepth, true},
    {"diameter", Dimension::kDiameter, true},
    {"roughness", Dimension::kRoughness, true},
}};
constexpr std::array<Column, 2> kTemperatureColumns{{
    {"md", Dimension::kDepth, true},
    {"temperature", Dimension::kTemperature, true},
}};

// The rows of a table, SI, one value per known column (absent columns
// hold nothing and read as absent).
struct Rows {
  std::array<bool, 4> present{};
  std::vector<std::array<double, 4>> values;
  std::vector<std::size_t> lines;
};

// `place` is a line or the lines a record spans ("584-2039").
[[noreturn]] void fail_at(const std::string& source, const std::string& place,
                          const std::string& why) {
  throw Error(source + ":" + place + ": " + why);
}
[[noreturn]] void fail_at(const std::string& source, std::size_t line,
                          const std::string& why) {
  fail_at(source, std::to_string(line), why);
}

std::string expected(std::span<const Column> columns) {
  std::string text;
  for (const Column& column : columns) {
    if (!text.empty()) text += ", ";
    text += column.name;
    if (!column.required) text += " (optional)";
  }
  return text;
}

// The column a header cell names, and its unit: the longest known name
// that is the cell or its start before an underscore ("md_top_ft" is
// md_top in ft, not md in "top_ft").
struct HeaderCell {
  std::size_t column = 0;
  Unit unit;
};

HeaderCell read_header_cell(std::string_view cell,
                            std::span<const Column> columns, UnitSystem units) {
  std::optional<std::size_t> found;
  for (std::size_t k = 0; k < columns.size(); ++k) {
    const auto name = columns[k].name;
    const bool plain = cell == name;
    const bool suffixed = cell.size() > name.size() + 1 &&
                          cell.substr(0, name.size()) == name &&
                          cell[name.size()] == '_';
    if ((plain || suffixed) &&
        (!found || name.size() > columns[*found].name.size())) {
      found = k;
    }
  }
  if (!found) {
    throw Error("unknown column '" + for_terminal(cell) + "'; expected " +
                expected(columns));
  }
  const Column& column = columns[*found];
  const auto suffix = cell.size() > column.name.size()
                          ? cell.substr(column.name.size() + 1)
                          : std::string_view{};
  if (!column.dimension) {
    if (!suffix.empty() && suffix != "deg") {
      throw Error("column '" + for_terminal(cell) +
                  "': angles are in degrees, named '" +
                  std::string(column.name) + "' or '" +
                  std::string(column.name) + "_deg'");
    }
    return {*found, Unit{"deg", 1.0}};
  }
  if (suffix.empty()) return {*found, system_unit(*column.dimension, units)};
  std::string unit(suffix);
  for (auto at = unit.find("_per_"); at != std::string::npos;
       at = unit.find("_per_")) {
    unit.replace(at, 5, "/");
  }
  try {
    return {*found, parse_unit(unit, *column.dimension)};
  } catch (const Error& error) {
    throw Error("column '" + for_terminal(cell) + "': " + error.what());
  }
}

Rows read_rows(std::string_view text, const std::string& source,
               std::span<const Column> columns, UnitSystem units) {
  CsvReader reader(text);
  if (!reader.next()) {
    throw Error(source + ": the table is empty; expected a header " +
                expected(columns) + " and one row a line");
  }
  // Cell index -> column and unit.
  std::vector<HeaderCell> header;
  std::array<std::string, 4> header_names;
  Rows rows;
  try {
    if (!reader.problem().empty()) throw Error(std::string(reader.problem()));
    for (const auto cell : reader.cells()) {
      const HeaderCell read = read_header_cell(cell, columns, units);
      if (rows.present[read.column]) {
        throw Error("column '" + std::string(columns[read.column].name) +
                    "' is named twice ('" + header_names[read.column] +
                    "' and '" + for_terminal(cell) + "')");
      }
      rows.present[read.column] = true;
      header_names[read.column] = for_terminal(cell);
      header.push_back(read);
    }
    for (std::size_t k = 0; k < columns.size(); ++k) {
      if (columns[k].required && !rows.present[k]) {
        throw Error("column '" + std::string(columns[k].name) +
                    "' is missing; expected " + expected(columns));
      }
    }
  } catch (const Error& error) {
    fail_at(source, reader.place(), error.what());
  }
  while (reader.next()) {
    const std::size_t line = reader.line_number();
    if (!reader.problem().empty()) {
      fail_at(source, reader.place(), std::string(reader.problem()));
    }
    if (reader.cell_count() != header.size()) {
      fail_at(source, reader.place(),
              "expected " + std::to_string(header.size()) +
                  " cells as in the header, found " +
                  std::to_string(reader.cell_count()));
    }
    std::array<double, 4> values{};
    const auto cells = reader.cells();
    for (std::size_t cell = 0; cell < header.size(); ++cell) {
      const HeaderCell& column = header[cell];
      double value = 0.0;
      const NumberProblem problem = parse_number(cells[cell], value);
      if (problem != NumberProblem::kNone) {
        fail_at(source, reader.place(),
                "column '" + header_names[column.column] + "': '" +
                    for_terminal(cells[cell]) + "' " +
                    std::string(describe(problem)));
      }
      values[column.column] = column.unit.to_si(value);
    }
    rows.values.push_back(values);
    rows.lines.push_back(line);
  }
  if (rows.values.empty()) {
    throw Error(source + ": the table has a header but no rows");
  }
  return rows;
}

}  // namespace

SurveyTable parse_survey_table(std::string_view text, const std::string& source,
                               UnitSystem units) {
  const Rows rows = read_rows(text, source, kSurveyColumns, units);
  SurveyTable table;
  table.lines = rows.lines;
  for (const auto& v : rows.values) {
    well::SurveyStation station{v[0], v[1], std::nullopt, std::nullopt};
    if (rows.present[2]) station.azimuth = v[2];
    if (rows.present[3]) station.tvd = v[3];
    table.stations.push_back(station);
  }
  return table;
}

PipeTable parse_pipe_table(std::string_view text, const std::string& source,
                           UnitSystem units) {
  const Rows rows = read_rows(text, source, kPipeColumns, units);
  PipeTable table;
  table.lines = rows.lines;
  for (std::size_t k = 0; k < rows.values.size(); ++k) {
    const auto& v = rows.values[k];
    const std::string why = pipe_trouble(v[2], v[3], units);
    if (!why.empty()) fail_at(source, rows.lines[k], why);
    table.sections.push_back({v[0], v[1], v[2], v[3]});
  }
  return table;
}

TemperatureTable parse_temperature_table(std::string_view text,
                                         const std::string& source,
                                         UnitSystem units) {
  const Rows rows = read_rows(text, source, kTemperatureColumns, units);
  TemperatureTable table;
  table.lines = rows.lines;
  for (std::size_t k = 0; k < rows.values.size(); ++k) {
    const auto& v = rows.values[k];
    const std::string why = temperature_trouble(v[1], units);
    if (!why.empty()) fail_at(source, rows.lines[k], "temperature " + why);
    table.points.push_back({v[0], v[1]});
  }
  return table;
}

}  // namespace pipecorr::hostkit
