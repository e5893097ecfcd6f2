#include "cases/well_case.hpp"

#include <array>
#include <utility>

#include "cases/case_keys.hpp"
#include "cases/well_case_keys.hpp"
#include "cases/well_case_parts.hpp"
#include "cases/well_limits.hpp"
#include "cases/well_tables.hpp"
#include "files/input_file.hpp"
#include "numbers/number_text.hpp"
#include "text/error.hpp"
#include "text/escape.hpp"
#include "text/key_value.hpp"

namespace pipecorr::hostkit {
namespace {

using ReadFile = std::function<std::string(const std::filesystem::path&)>;
using namespace well_case_parts;

// The least TVD (m) over which a geothermal line is drawn.
constexpr double kLeastGeothermalDescent = 1.0;

// A table the case names: where it is and what it holds.
struct NamedFile {
  std::string source;
  std::string text;
};

NamedFile read_named_file(const CaseKeys& keys, const KeyValue& entry,
                          const std::filesystem::path& folder,
                          const ReadFile& read_file) {
  if (entry.value.empty()) keys.fail(entry, "no file named");
  std::filesystem::path path{std::string(entry.value)};
  if (path.is_relative()) path = folder / path;
  try {
    return {path.string(), read_file(path)};
  } catch (const Error& error) {
    keys.fail(entry, error.what());
  }
}

[[noreturn]] void fail_in_table(const std::string& source,
                                const std::vector<std::size_t>& lines,
                                const well::WellInputError& error) {
  const auto row = error.row();
  if (row && *row < lines.size()) {
    throw Error(source + ":" + std::to_string(lines[*row]) + ": " +
                error.what());
  }
  throw Error(source + ": " + error.what());
}

struct Reading {
  const CaseKeys& keys;
  UnitSystem units;
  std::filesystem::path folder;
  const ReadFile& read_file;

  [[nodiscard]] NamedFile file(const KeyValue& entry) const {
    return read_named_file(keys, entry, folder, read_file);
  }
  [[nodiscard]] double temperature(const KeyValue& entry) const {
    const double value = key_quantity(keys, entry, units);
    const std::string why = temperature_trouble(value, units);
    if (!why.empty()) keys.fail(entry, why);
    return value;
  }
};

UnitSystem read_units(const CaseKeys& keys) {
  const KeyValue* entry = keys.find("units");
  if (entry == nullptr) {
    keys.fail(
        "key 'units' is missing: say 'units = field' or 'units = si', "
        "the units of every number written without one");
  }
  constexpr std::array<std::string_view, 2> kSystems{"field", "si"};
  return keys.choice(*entry, kSystems) == 0 ? UnitSystem::kField
                                            : UnitSystem::kSi;
}

// The survey, checked by building its path once.
well::WellPath read_survey(const Reading& r, WellCase& c) {
  if (const KeyValue* entry = r.keys.find("tvd_method")) {
    constexpr std::array<std::string_view, 2> kMethods{"minimum_curvature",
                                                       "average_angle"};
    c.tvd_method = r.keys.choice(*entry, kMethods) == 0
                       ? well::TvdMethod::kMinimumCurvature
                       : well::TvdMethod::kAverageAngle;
  }
  const NamedFile file = r.file(r.keys.require("survey"));
  SurveyTable table = parse_survey_table(file.text, file.source, r.units);
  try {
    well::WellPath path = well::build_path(table.stations, {c.tvd_method, {}});
    c.survey = std::move(table.stations);
    return path;
  } catch (const well::WellInputError& error) {
    fail_in_table(file.source, table.lines, error);
  }
}

well::PipeSections read_pipe(const Reading& r, const well::WellPath& path) {
  const KeyValue& given = *r.keys.one_of({"inside_diameter", "pipe"}, true);
  const KeyValue* roughness = r.keys.find("roughness");
  if (given.key == "inside_diameter") {
    if (roughness == nullptr) {
      r.keys.fail("key 'roughness' is missing: inside_diameter needs it");
    }
    const double d = key_quantity(r.keys, given, r.units);
    const double e = key_quantity(r.keys, *roughness, r.units);
    if (const auto why = pipe_trouble(d, 0.0, r.units); !why.empty()) {
      r.keys.fail(given, why);
    }
    if (const auto why = pipe_trouble(d, e, r.units); !why.empty()) {
      r.keys.fail(*roughness, why);
    }
    return well::PipeSections::whole_well(d, e);
  }
  if (roughness != nullptr) {
    r.keys.fail(*roughness,
                "the pipe table gives each section's roughness; drop this "
                "key or the pipe key");
  }
  const NamedFile file = r.file(given);
  PipeTable table = parse_pipe_table(file.text, file.source, r.units);
  try {
    well::PipeSections pipe = well::PipeSections::by_md(table.sections);
    pipe.check_covers(path.top_md(), path.bottom_md());
    return pipe;
  } catch (const well::WellInputError& error) {
    fail_in_table(file.source, table.lines, error);
  }
}

TemperatureSettings read_temperature(const Reading& r,
                                     const well::WellPath& path,
                                     well::FlowDirection flow) {
  TemperatureSettings temperatures;
  const KeyValue& given =
      *r.keys.one_of({"bottomhole_temperature", "temperature_profile"}, true);
  const KeyValue* wellhead = r.keys.find("wellhead_temperature");
  if (const KeyValue* model = r.keys.find("temperature_model")) {
    constexpr std::array<std::string_view, 2> kModels{"linear", "ramey"};
    temperatures.ramey = r.keys.choice(*model, kModels) == 1;
    if (temperatures.ramey && given.key == "temperature_profile") {
      r.keys.fail(*model,
                  "ramey starts from the geothermal line: give "
                  "wellhead_temperature and bottomhole_temperature, not "
                  "temperature_profile");
    }
    if (temperatures.ramey && flow != well::FlowDirection::kUpTheWell) {
      r.keys.fail(*model,
                  "ramey's flowing temperature is for producers "
                  "(flow = producer)");
    }
  }
  if (given.key == "temperature_profile") {
    if (wellhead != nullptr) {
      r.keys.fail(*wellhead,
                  "the temperature profile gives the temperatures; drop "
                  "this key or temperature_profile");
    }
    const NamedFile file = r.file(given);
    TemperatureTable table =
        parse_temperature_table(file.text, file.source, r.units);
    try {
      const well::TemperatureModel model{
          well::TemperatureProfile(table.points)};
      well::check_temperature(model, path);
    } catch (const well::WellInputError& error) {
      fail_in_table(file.source, table.lines, error);
    }
    temperatures.profile = std::move(table.points);
    return temperatures;
  }
  if (wellhead == nullptr) {
    r.keys.fail(
        "key 'wellhead_temperature' is missing: bottomhole_temperature "
        "needs it");
  }
  temperatures.wellhead = r.temperature(*wellhead);
  temperatures.bottom_hole = r.temperature(given);
  // A hole that stays at one depth (horizontal from the top) makes the
  // line's gradient a rounding error over a rounding error.
  const double descent = path.deepest_tvd() - path.top_tvd();
  if (!(descent >= kLeastGeothermalDescent)) {
    r.keys.fail(given, "the well descends only " +
                           shown(descent, Dimension::kDepth, r.units) +
                           " in TVD, too little for a temperature line "
                           "in depth: give temperature_profile instead");
  }
  try {
    const well::TemperatureModel model{well::GeothermalTemperature::for_path(
        path, *temperatures.wellhead, *temperatures.bottom_hole)};
    well::check_temperature(model, path);
  } catch (const well::WellInputError& error) {
    r.keys.fail(given, error.what());
  }
  return temperatures;
}

}  // namespace

WellCase parse_well_case(std::string_view text,
                         const std::filesystem::path& source,
                         const ReadFile& read_file) {
  const CaseKeys keys(text, source.string(), kWellCaseKeyNames);
  const Reading r{keys, read_units(keys), source.parent_path(), read_file};
  WellCase c;
  c.source = source;
  c.units = r.units;
  const KeyValue* title = keys.find("title");
  c.title = title != nullptr && !title->value.empty()
                ? std::string(title->value)
                : source.stem().string();

  const well::WellPath path = read_survey(r, c);
  c.pipe = read_pipe(r, path);
  c.fluid = read_fluid(keys, r.units);
  c.rates = read_rates(keys, r.units);
  if (const KeyValue* entry = keys.find("flow")) {
    constexpr std::array<std::string_view, 2> kFlows{"producer", "injector"};
    c.flow = keys.choice(*entry, kFlows) == 0
                 ? well::FlowDirection::kUpTheWell
                 : well::FlowDirection::kDownTheWell;
  }
  const KeyValue& known =
      *keys.one_of({"wellhead_pressure", "bottomhole_pressure"}, true);
  c.known_end = known.key == "wellhead_pressure" ? well::KnownEnd::kWellhead
                                                 : well::KnownEnd::kBottomHole;
  c.known_pressure = read_pressure(keys, known, r.units);
  c.temperature = read_temperature(r, path, c.flow);
  c.correlations = read_correlations(keys);
  if (const KeyValue* entry = keys.find("single_phase")) {
    constexpr std::array<std::string_view, 2> kWays{"host", "correlation"};
    c.gradient.single_phase_by_host = keys.choice(*entry, kWays) == 0;
  }
  if (const KeyValue* entry = keys.find("acceleration")) {
    constexpr std::array<std::string_view, 2> kSwitch{"on", "off"};
    c.gradient.acceleration = keys.choice(*entry, kSwitch) == 0;
  }
  c.march = read_march(keys.require("survey"), keys, r.units, path,
                       c.pipe.sections().size());
  c.lift = read_lift(keys, r.units, c.known_end);
  c.vfp = read_vfp(keys, r.units, c.flow);
  return c;
}

WellCase load_well_case(const std::filesystem::path& path) {
  return load_well_case_text(
      read_input(path, "case file", InputKind::kRegularFile), path);
}

WellCase load_well_case_text(const std::string& text,
                             const std::filesystem::path& path,
                             const std::map<std::string, std::string>& given) {
  std::vector<std::filesystem::path> tables;
  WellCase result = parse_well_case(
      text, path, [&given, &tables](const std::filesystem::path& named) {
        if (const auto found = given.find(named.string());
            found != given.end()) {
          return found->second;
        }
        tables.push_back(named);
        return read_input(named, "file", InputKind::kRegularFile);
      });
  result.tables = std::move(tables);
  return result;
}

well::WellPath well_path(const WellCase& well_case) {
  return well::build_path(well_case.survey, {well_case.tvd_method, {}});
}

std::string step_trouble(const WellCase& well_case, double step) {
  return step_count_trouble(well_path(well_case),
                            well_case.pipe.sections().size(), step,
                            well_case.march.max_steps, well_case.units);
}

std::span<const std::string_view> well_case_keys() { return kWellCaseKeyNames; }

bool is_well_case(std::string_view text) {
  while (!text.empty()) {
    const auto end = text.find('\n');
    const auto line = strip_comment(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    const auto equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    if (trim_blanks(line.substr(0, equals)) == "survey") return true;
  }
  return false;
}

}  // namespace pipecorr::hostkit
