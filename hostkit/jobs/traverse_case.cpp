#include "jobs/traverse_case.hpp"

#include <array>
#include <cmath>
#include <optional>

#include "text/error.hpp"
#include "text/csv.hpp"
#include "text/number_text.hpp"

namespace pipecorr::hostkit {
namespace {

constexpr std::array<std::string_view, 4> kProfileColumns{
    "length", "inclination", "diameter", "roughness"};

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

Segment parse_segment(const std::array<std::size_t, 4>& column_of,
                      std::span<const std::string_view> cells,
                      const std::string& source, std::size_t line) {
  std::array<double, 4> values{};
  for (std::size_t k = 0; k < kProfileColumns.size(); ++k) {
    const auto cell = cells[column_of[k]];
    const auto problem = parse_number(cell, values[k]);
    if (problem == NumberProblem::kEmpty) {
      fail_at(source, line,
              "column '" + std::string(kProfileColumns[k]) + "' is empty");
    }
    if (problem != NumberProblem::kNone) {
      fail_at(source, line,
              "column '" + std::string(kProfileColumns[k]) + "': '" +
                  std::string(cell) + "' " + std::string(describe(problem)));
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
  LineCursor cursor(text);
  std::string_view line;
  std::size_t line_number = 0;
  if (!cursor.next(line, line_number)) {
    throw Error(source +
                   ": profile is empty; expected a header "
                   "length,inclination,diameter,roughness and one "
                   "segment a line");
  }
  std::array<std::string_view, 6> cells{};
  const auto header_count = split_cells(line, cells);
  std::array<std::size_t, 4> column_of{};
  column_of.fill(cells.size());
  for (std::size_t cell = 0; cell < header_count && cell < cells.size();
       ++cell) {
    bool known = false;
    for (std::size_t k = 0; k < kProfileColumns.size(); ++k) {
      if (cells[cell] != kProfileColumns[k]) continue;
      if (column_of[k] != cells.size()) {
        fail_at(source, line_number,
                "header names column '" + std::string(cells[cell]) + "' twice");
      }
      column_of[k] = cell;
      known = true;
    }
    if (!known) {
      fail_at(source, line_number,
              "header has unknown column '" + std::string(cells[cell]) +
                  "'; expected length,inclination,diameter,roughness");
    }
  }
  if (header_count != kProfileColumns.size()) {
    fail_at(source, line_number,
            "header must name the four columns "
            "length,inclination,diameter,roughness");
  }
  std::vector<Segment> profile;
  while (cursor.next(line, line_number)) {
    const auto count = split_cells(line, cells);
    if (count != header_count) {
      fail_at(source, line_number,
              "expected " + std::to_string(header_count) +
                  " cells as in the header, found " + std::to_string(count));
    }
    profile.push_back(parse_segment(column_of, cells, source, line_number));
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
  LineCursor cursor(text);
  std::string_view line;
  std::size_t line_number = 0;
  while (cursor.next(line, line_number)) {
    // A '#' after the value starts a comment (units, notes).
    const auto content = trim_blanks(line.substr(0, line.find('#')));
    const auto equals = content.find('=');
    if (equals == std::string_view::npos) {
      fail_at(source, line_number,
              "expected 'key = value', got '" + std::string(content) + "'");
    }
    const auto key = trim_blanks(content.substr(0, equals));
    const auto value = trim_blanks(content.substr(equals + 1));
    if (key == "title") {
      result.title = std::string(value);
      continue;
    }
    if (key == "profile") {
      if (profile_seen) fail_at(source, line_number, "key 'profile' repeated");
      if (value.empty()) fail_at(source, line_number, "key 'profile' is empty");
      profile_seen = true;
      result.profile_path = std::filesystem::path(std::string(value));
      continue;
    }
    bool known = false;
    for (std::size_t k = 0; k < kNumericKeys.size(); ++k) {
      const auto& entry = kNumericKeys[k];
      if (key != entry.name) continue;
      known = true;
      if (seen[k]) {
        fail_at(source, line_number, "key '" + std::string(key) + "' repeated");
      }
      seen[k] = true;
      double number = 0.0;
      const auto problem = parse_number(value, number);
      if (problem != NumberProblem::kNone) {
        fail_at(source, line_number,
                "key '" + std::string(key) + "': '" + std::string(value) +
                    "' " + std::string(describe(problem)));
      }
      if (number < 0.0 || (number == 0.0 && !entry.zero_allowed)) {
        fail_at(source, line_number,
                "key '" + std::string(key) + "' must be " +
                    (entry.zero_allowed ? "zero or positive" : "positive") +
                    ", got " + std::string(value));
      }
      result.*entry.field = number;
    }
    if (!known) {
      fail_at(source, line_number,
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
  TraverseCase result =
      parse_case_text(read_text_file(path, "case file"), source);
  if (result.title.empty()) result.title = path.stem().string();
  if (result.profile_path.is_relative()) {
    result.profile_path = path.parent_path() / result.profile_path;
  }
  result.profile = parse_profile(read_text_file(result.profile_path, "profile"),
                                 result.profile_path.string());
  return result;
}

}  // namespace pipecorr::hostkit
