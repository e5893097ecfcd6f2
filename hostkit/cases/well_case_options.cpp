#include <cmath>

#include "cases/well_case_parts.hpp"
#include "cases/well_limits.hpp"
#include "numbers/number_text.hpp"
#include "text/escape.hpp"

namespace pipecorr::hostkit::well_case_parts {
namespace {

// Longer lists are a slip of the keyboard rather than a plan: each value
// is a traverse (or a curve of them).
constexpr std::size_t kMaxListValues = 100;

}  // namespace

std::vector<double> read_list(const CaseKeys& keys, const KeyValue& entry,
                              UnitSystem units, Dimension dimension) {
  std::vector<double> values = keys.quantities(entry, dimension, units);
  if (values.size() > kMaxListValues) {
    keys.fail(entry, std::to_string(values.size()) +
                         " values; a list holds at most " +
                         std::to_string(kMaxListValues));
  }
  return values;
}

std::vector<double> read_list(const CaseKeys& keys, const KeyValue& entry,
                              UnitSystem units) {
  return read_list(keys, entry, units, key_dimension(entry));
}

std::string step_count_trouble(const well::WellPath& path,
                               std::size_t pipe_sections, double step,
                               std::size_t max_steps, UnitSystem units) {
  // The march takes at least one step per survey interval and per pipe
  // section, and no step longer than this.
  const double length = path.bottom_md() - path.top_md();
  const double steps =
      length / step +
      static_cast<double>(path.stations().size() + pipe_sections);
  if (steps <= static_cast<double>(max_steps)) return {};
  return "would take more than " + std::to_string(max_steps) +
         " steps over the well's " + shown(length, Dimension::kDepth, units) +
         " of md";
}

well::MarchOptions read_march(const KeyValue& survey, const CaseKeys& keys,
                              UnitSystem units, const well::WellPath& path,
                              std::size_t pipe_sections) {
  well::MarchOptions march;
  if (const KeyValue* entry = keys.find("step")) {
    march.max_step = key_quantity(keys, *entry, units);
    if (!(march.max_step > 0.0)) {
      keys.fail(*entry, "the longest march step must be positive, got " +
                            shown(march.max_step, Dimension::kDepth, units));
    }
    const std::string why = step_count_trouble(
        path, pipe_sections, march.max_step, march.max_steps, units);
    if (!why.empty()) {
      keys.fail(*entry,
                shown(march.max_step, Dimension::kDepth, units) + " " + why);
    }
  } else if (const std::string why = step_count_trouble(
                 path, pipe_sections, march.max_step, march.max_steps, units);
             !why.empty()) {
    // No step key: the default is too short for this well.
    keys.fail(survey, "the default longest step, " +
                          shown(march.max_step, Dimension::kDepth, units) +
                          ", " + why + ": give a longer one in 'step'");
  }
  if (const KeyValue* entry = keys.find("tolerance")) {
    march.absolute_tolerance = key_quantity(keys, *entry, units);
    if (!(march.absolute_tolerance > 0.0)) {
      keys.fail(
          *entry,
          "the march's pressure tolerance must be positive, got " +
              shown(march.absolute_tolerance, Dimension::kPressure, units));
    }
  }
  return march;
}

std::vector<std::string> read_correlations(const CaseKeys& keys) {
  std::vector<std::string> names;
  const KeyValue* entry = keys.find("correlation");
  if (entry == nullptr) return names;
  std::string_view text = entry->value;
  while (true) {
    const auto comma = text.find(',');
    const auto name = trim_blanks(text.substr(0, comma));
    if (name.empty()) {
      keys.fail(*entry, "name " + std::to_string(names.size() + 1) +
                            " of the list is empty");
    }
    for (const std::string& earlier : names) {
      if (earlier == name) {
        keys.fail(*entry, "names '" + for_terminal(name) + "' twice");
      }
    }
    names.emplace_back(name);
    if (comma == std::string_view::npos) break;
    text.remove_prefix(comma + 1);
  }
  return names;
}

LiftSettings read_lift(const CaseKeys& keys, UnitSystem units,
                       well::KnownEnd known_end) {
  LiftSettings lift;
  const KeyValue* rates = keys.find("lift_rates");
  const KeyValue* curves =
      keys.one_of({"lift_glrs", "lift_wellhead_pressures"}, false);
  const KeyValue* pressure = keys.find("reservoir_pressure");
  const KeyValue* inflow =
      keys.one_of({"productivity_index", "vogel_max_rate"}, false);
  if (rates == nullptr) {
    for (const KeyValue* entry : {curves, pressure, inflow}) {
      if (entry != nullptr) {
        keys.fail(*entry, "belongs to the lift curves, which need lift_rates");
      }
    }
    return lift;
  }

  lift.liquid_rates = read_list(keys, *rates, units);
  for (std::size_t k = 0; k < lift.liquid_rates.size(); ++k) {
    const double q = lift.liquid_rates[k];
    const std::string where = "value " + std::to_string(k + 1) + ": ";
    if (!(q > 0.0)) keys.fail(*rates, where + "a lift rate must be positive");
    const std::string why = rate_trouble(q, Dimension::kLiquidRate, units);
    if (!why.empty()) keys.fail(*rates, where + why);
    if (k > 0 && !(q > lift.liquid_rates[k - 1])) {
      keys.fail(*rates, where + "the rates must increase from one to the next");
    }
  }

  if (curves != nullptr && curves->key == "lift_glrs") {
    lift.gas_liquid_ratios = read_list(keys, *curves, units);
    for (std::size_t k = 0; k < lift.gas_liquid_ratios.size(); ++k) {
      if (!(lift.gas_liquid_ratios[k] >= 0.0)) {
        keys.fail(*curves, "value " + std::to_string(k + 1) +
                               ": a gas-liquid ratio must be 0 or more");
      }
    }
  } else if (curves != nullptr) {
    lift.wellhead_pressures = read_list(keys, *curves, units);
    for (std::size_t k = 0; k < lift.wellhead_pressures.size(); ++k) {
      const std::string why =
          pressure_trouble(lift.wellhead_pressures[k], units);
      if (!why.empty()) {
        keys.fail(*curves, "value " + std::to_string(k + 1) + ": " + why);
      }
    }
  }
  if (known_end == well::KnownEnd::kBottomHole &&
      lift.wellhead_pressures.empty()) {
    keys.fail(*rates,
              "lift curves march down from a wellhead pressure: give "
              "wellhead_pressure or lift_wellhead_pressures");
  }

  if (pressure == nullptr && inflow != nullptr) {
    keys.fail(*inflow, "an inflow curve needs reservoir_pressure too");
  }
  if (pressure != nullptr && inflow == nullptr) {
    keys.fail(*pressure,
              "an inflow curve needs productivity_index or vogel_max_rate "
              "too");
  }
  if (pressure == nullptr) return lift;
  lift.reservoir_pressure = read_pressure(keys, *pressure, units);
  if (inflow->key == "productivity_index") {
    const double j = key_quantity(keys, *inflow, units);
    if (!(j > 0.0)) {
      keys.fail(*inflow, "must be positive, got " +
                             shown(j, Dimension::kProductivityIndex, units));
    }
    lift.productivity_index = j;
  } else {
    const double q = key_quantity(keys, *inflow, units);
    const std::string why = rate_trouble(q, Dimension::kLiquidRate, units);
    if (!why.empty()) keys.fail(*inflow, why);
    if (!(q > 0.0)) keys.fail(*inflow, "the open-flow rate must be positive");
    lift.vogel_max_rate = q;
  }
  return lift;
}

}  // namespace pipecorr::hostkit::well_case_parts
