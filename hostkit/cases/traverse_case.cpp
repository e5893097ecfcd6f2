#include "cases/traverse_case.hpp"

#include <array>
#include <cmath>
#include <optional>

#include "cases/well_case.hpp"
#include "files/input_file.hpp"
#include "numbers/number_text.hpp"
#include "text/csv.hpp"
#include "text/error.hpp"
#include "text/escape.hpp"
#include "text/key_value.hpp"

namespace pipecorr::hostkit {
namespace {

constexpr std::array<ColumnDefinition, 4> kProfileColumns{{
    {"length", "m", true},
    {"inclination", "deg", true},
    {"diameter", "m", true},
    {"roughness", "m", true},
}};

// The range of every key (SI) is wider than any pipeline needs and narrow
// enough that what the march derives from the keys (the gas density at a
// pressure, the velocities in a pipe of the profile's diameters) stays a
// finite number above zero at the inlet, whatever the other keys hold: at
// most usg = 1e6 / (1e-6 * 1 / 1e9 * pi / 4 * 1e-10) ~ 1e31 m/s; in a
// pipe of 1e8 m (the widest the tests use) at least
// 1e-12 / (1e5 * 1e9 / 1 * pi / 4 * 1e16) ~ 1e-42 m/s unless zero.
struct NumericKey {
  std::string_view name;
  double TraverseCase::*field;
  bool zero_allowed;  // rates may be zero; properties and pressures not
  double least;       // the least value above zero
  double most;
  std::string_view unit;
};

constexpr std::array<NumericKey, 9> kNumericKeys{{
    {"inlet_pressure", &TraverseCase::inlet_pressure, false, 1.0, 1e9, "Pa"},
    {"liquid_rate", &TraverseCase::liquid_rate, true, 1e-12, 1e6, "kg/s"},
    {"gas_rate", &TraverseCase::gas_rate, true, 1e-12, 1e6, "kg/s"},
    {"liquid_density", &TraverseCase::liquid_density, false, 1.0, 1e5, "kg/m3"},
    {"liquid_viscosity", &TraverseCase::liquid_viscosity, false, 1e-7, 1e6,
     "Pa s"},
    {"surface_tension", &TraverseCase::surface_tension, false, 1e-6, 10.0,
     "N/m"},
    {"gas_density", &TraverseCase::gas_density, false, 1e-6, 1e5, "kg/m3"},
    {"reference_pressure", &TraverseCase::reference_pressure, false, 1.0, 1e9,
     "Pa"},
    {"gas_viscosity", &TraverseCase::gas_viscosity, false, 1e-7, 1e6, "Pa s"},
}};

// A profile's segments: at least 10 um inside (a narrower pipe makes the
// velocities infinite), at most 10 000 km long.
constexpr double kLeastDiameter = 1e-5;
constexpr double kLongestSegment = 1e7;

// `place` is a line or the lines a record spans ("584-2039").
[[noreturn]] void fail_at(const std::string& source, const std::string& place,
                          const std::string& message) {
  throw Error(source + ":" + place + ": " + message);
}
[[noreturn]] void fail_at(const std::string& source, std::size_t line,
                          const std::string& message) {
  fail_at(source, std::to_string(line), message);
}

std::string known_keys() {
  std::string text;
  for (const auto& key : kNumericKeys) text += std::string(key.name) + ", ";
  return text + "profile, title, plugins";
}

Segment parse_segment(const HeaderColumns& columns,
                      std::span<const std::string_view> cells,
                      const std::string& source, const std::string& line) {
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
  if (segment.length > kLongestSegment) {
    fail_at(source, line,
            "segment length " + shortest(segment.length) +
                " m is longer than any pipe: at most " +
                shortest(kLongestSegment) + " m (10 000 km)");
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
  if (segment.diameter < kLeastDiameter) {
    fail_at(source, line,
            "diameter " + shortest(segment.diameter) +
                " m is narrower than any pipe: at least " +
                shortest(kLeastDiameter) + " m");
  }
  if (segment.roughness < 0.0 || !(segment.roughness < segment.diameter / 2)) {
    fail_at(source, line,
            "roughness must be at least 0 and less than half the diameter, "
            "got " +
                shortest(segment.roughness));
  }
  return segment;
}

bool is_pipeline_key(std::string_view key) {
  if (key == "profile" || key == "title" || key == "plugins") return true;
  for (const auto& numeric : kNumericKeys) {
    if (numeric.name == key) return true;
  }
  return false;
}

// A case is read as a pipeline case when it names no survey; one that gives
// a field case's keys is a field case without its survey, and is told so
// rather than blamed for the first key a pipeline case does not know.
void refuse_field_keys(const std::vector<KeyValue>& entries,
                       const std::string& source) {
  const auto field_keys = well_case_keys();
  for (const KeyValue& entry : entries) {
    if (is_pipeline_key(entry.key)) continue;
    for (const auto key : field_keys) {
      if (key != entry.key) continue;
      fail_at(source, entry.line,
              "key '" + for_terminal(entry.key) +
                  "' is a field case's, but the case lacks 'survey': a well "
                  "names its survey CSV in 'survey = FILE' (without one the "
                  "case reads as a pipeline case, which has no key '" +
                  for_terminal(entry.key) + "')");
    }
  }
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
    fail_at(source, reader.place(), error.what());
  }
  std::vector<Segment> profile;
  while (reader.next()) {
    if (!reader.problem().empty()) {
      fail_at(source, reader.place(), std::string(reader.problem()));
    }
    if (reader.cell_count() != columns.count) {
      fail_at(source, reader.place(),
              "expected " + std::to_string(columns.count) +
                  " cells as in the header, found " +
                  std::to_string(reader.cell_count()));
    }
    profile.push_back(
        parse_segment(columns, reader.cells(), source, reader.place()));
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
  const std::vector<KeyValue> entries = parse_key_values(text, source);
  refuse_field_keys(entries, source);
  for (const KeyValue& entry : entries) {
    const auto key = entry.key;
    const auto value = entry.value;
    if (key == "title") {
      result.title = std::string(value);
      continue;
    }
    // Read before the plug-ins load (case_plugins.hpp).
    if (key == "plugins") continue;
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
      const bool within = number >= numeric.least && number <= numeric.most;
      if (!within && !(number == 0.0 && numeric.zero_allowed)) {
        const std::string unit = " " + std::string(numeric.unit);
        fail_at(source, entry.line,
                "key '" + std::string(key) + "': " + shortest(number) + unit +
                    (numeric.zero_allowed ? " is neither 0 nor within "
                                          : " is outside ") +
                    shortest(numeric.least) + " to " + shortest(numeric.most) +
                    unit + ", the range a pipeline case may give");
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
