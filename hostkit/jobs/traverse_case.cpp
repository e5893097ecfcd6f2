#include "jobs/traverse_case.hpp"

#include <array>
#include <cmath>
#include <optional>

#include "files/input_file.hpp"
#include "text/csv.hpp"
#include "text/error.hpp"
#include "text/escape.hpp"
#include "text/key_value.hpp"
#include "text/number_text.hpp"

namespace pipecorr::hostkit {
namespace {

constexpr std::array<ColumnDefinition, 4> kProfileColumns{{
    {"length", "m", true},
    {"inclination", "deg", true},
    {"diameter", "m", true},
    {"roughness", "m", true},
}};

struct NumericKey {
  std::string_view name;
  double TraverseCase::*field;
  bool zero_allowed;  // rates may be zero; properties and pressures not
};

constexpr std::array<NumericKey, 9> kNumericKeys{{
    {"inlet_pressure", &TraverseCase::inlet_pressure, false},
    {"liquid_rate", &TraverseCase::liquid_rate, true},
    {"gas_rate", &TraverseCase::gas_rate, true},
    {"liquid_density", &TraverseCase::liquid_density, false},
    {"liquid_viscosity", &TraverseCase::liquid_viscosity, false},
    {"surface_tension", &TraverseCase::surface_tension, false},
    {"gas_density", &TraverseCase::gas_density, false},
    {"reference_pressure", &TraverseCase::reference_pressure, false},
    {"gas_viscosity", &TraverseCase::gas_viscosity, false},
}};

[[noreturn]] void fail_at(const std::string& source, std::size_t line,
                          const std::string& message) {
  throw Error(source + ":" + std::to_string(line) + ": " + message);
}

std::string known_keys() {
  std::string text;
  for (const auto& key : kNumericKeys) text += std::string(key.name) + ", ";
  return text + "profile, title";
}

Segment parse_segment(const HeaderColumns& columns,
                      std::span<const std::string_view> cells,
                      const std::string& source, std::size_t line) {
  std::array<double, 4> values{};
  for (std::size_t k = 0; k < kProfileColumns.size(); ++k) {
    const auto cell = cells[columns.of_definition[k]];
    const std::string name(kProfileColumns[k].name);
    const auto problem = parse_number(cell, values[k]);
    if (problem == NumberProblem::kEmpty) {
      fail_at(source, line, "column '" + name + "' is empty");
    }
    if (problem != NumberProblem::kNone) {
      fail_at(source, line,
              "column '" + name + "': '" + std::string(cell) + "' " +
                  std::string(describe(problem)));
    }
  }
  const Segment segment{values[0], values[1], values[2], values[3]};
  if (!(segment.length > 0.0)) {
    fail_at(source, line,
            "segment length must be positive, got " + shortest(segment.length));
  }
  if (std::abs(segment.inclination) > 90.0) {
    fail_at(source, line,
            "inclination must lie between -90 and 90 degrees, got " +
                shortest(segment.inclination));
  }
  if (!(segment.diameter > 0.0)) {
    fail_at(source, line,
            "diameter must be positive, got " + shortest(segment.diameter));
  }
  if (segment.roughness < 0.0 || !(segment.roughness < segment.diameter / 2)) {
    fail_at(source, line,
            "roughness must be at least 0 and less than half the diameter, "
            "got " +
                shortest(segment.roughness));
  }
  return segment;
}

}  // namespace

double TraverseCase::total_length() const {
  double total = 0.0;
  for (const auto& segment : profile) total += segment.length;
  return total;
}

std::vector<Segment> parse_profile(std::string_view text,
                                   const std::string& source) {
  CsvReader reader(text);
  if (!reader.next()) {
    throw Error(source +
                ": profile is empty; expected a header "
                "length,inclination,diameter,roughness and one "
                "segment a line");
  }
  HeaderColumns columns;
  try {
    if (!reader.problem().empty()) throw Error(std::string(reader.problem()));
    columns = match_header(reader.cells(), kProfileColumns, false);
  } catch (const Error& error) {
    fail_at(source, reader.line_number(), error.what());
  }
  std::vector<Segment> profile;
  while (reader.next()) {
    if (!reader.problem().empty()) {
      fail_at(source, reader.line_number(), std::string(reader.problem()));
    }
    if (reader.cell_count() != columns.count) {
      fail_at(source, reader.line_number(),
              "expected " + std::to_string(columns.count) +
                  " cells as in the header, found " +
                  std::to_string(reader.cell_count()));
    }
    profile.push_back(
        parse_segment(columns, reader.cells(), source, reader.line_number()));
  }
  if (profile.empty()) {
    throw Error(source + ": profile has no segment");
  }
  return profile;
}

TraverseCase parse_case_text(std::string_view text, const std::string& source) {
  TraverseCase result;
  std::array<bool, kNumericKeys.size()> seen{};
  bool profile_seen = false;
  for (const KeyValue& entry : parse_key_values(text, source)) {
    const auto key = entry.key;
    const auto value = entry.value;
    if (key == "title") {
      result.title = std::string(value);
      continue;
    }
    if (key == "profile") {
      if (value.empty()) fail_at(source, entry.line, "key 'profile' is empty");
      profile_seen = true;
      result.profile_path = std::filesystem::path(std::string(value));
      continue;
    }
    bool known = false;
    for (std::size_t k = 0; k < kNumericKeys.size(); ++k) {
      const auto& numeric = kNumericKeys[k];
      if (key != numeric.name) continue;
      known = true;
      seen[k] = true;
      double number = 0.0;
      const auto problem = parse_number(value, number);
      if (problem != NumberProblem::kNone) {
        fail_at(source, entry.line,
                "key '" + std::string(key) + "': '" + std::string(value) +
                    "' " + std::string(describe(problem)));
      }
      if (number < 0.0 || (number == 0.0 && !numeric.zero_allowed)) {
        fail_at(source, entry.line,
                "key '" + std::string(key) + "' must be " +
                    (numeric.zero_allowed ? "zero or positive" : "positive") +
                    ", got " + std::string(value));
      }
      result.*numeric.field = number;
    }
    if (!known) {
      fail_at(source, entry.line,
              "unknown key '" + std::string(key) +
                  "'; known keys: " + known_keys());
    }
  }
  for (std::size_t k = 0; k < kNumericKeys.size(); ++k) {
    if (!seen[k]) {
      throw Error(source + ": key '" + std::string(kNumericKeys[k].name) +
                  "' is missing");
    }
  }
  if (!profile_seen) throw Error(source + ": key 'profile' is missing");
  if (result.liquid_rate == 0.0 && result.gas_rate == 0.0) {
    throw Error(source +
                ": liquid_rate and gas_rate are both zero: nothing flows");
  }
  return result;
}

TraverseCase load_case(const std::filesystem::path& path) {
  const std::string source = path.string();
  TraverseCase result = parse_case_text(
      read_input(path, "case file", InputKind::kRegularFile), source);
  if (result.title.empty()) result.title = path.stem().string();
  if (result.profile_path.is_relative()) {
    result.profile_path = path.parent_path() / result.profile_path;
  }
  result.profile = parse_profile(
      read_input(result.profile_path, "profile", InputKind::kRegularFile),
      result.profile_path.string());
  return result;
}

}  // namespace pipecorr::hostkit
