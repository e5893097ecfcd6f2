// The keys of a field case, once: the reader takes its known keys and the
// dimension of every quantity from this table, and a test holds
// docs/well-cases.md to it. The order is the order of the case file's
// description and of the "known keys" an unknown key is told.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

#include "units/quantity.hpp"

namespace pipecorr::hostkit {

struct CaseKey {
  std::string_view key;
  // The dimension of a quantity, read in the case's units; none for a
  // text, a file, a choice or a plain number.
  std::optional<Dimension> dimension;
  std::string_view fallback;  // the default, or what may be given instead
  std::string_view meaning;
};

inline constexpr std::optional<Dimension> kNotAQuantity;

inline constexpr std::array<CaseKey, 54> kWellCaseKeys{{
    {"units", kNotAQuantity, "required",
     "field | si: the unit of bare numbers"},
    {"title", kNotAQuantity, "the case file's name", "text"},
    {"survey", kNotAQuantity, "required", "CSV file (well_tables.hpp)"},
    {"tvd_method", kNotAQuantity, "minimum_curvature",
     "minimum_curvature | average_angle"},
    {"inside_diameter", Dimension::kDiameter, "or pipe", "tubing diameter"},
    {"roughness", Dimension::kRoughness, "or pipe", "tubing roughness"},
    {"pipe", kNotAQuantity, "or inside_diameter and roughness",
     "CSV file of sections"},
    {"api", kNotAQuantity, "required", "oil gravity, 5..100 °API"},
    {"gas_gravity", kNotAQuantity, "required", "air = 1, 0.55..3"},
    {"water_gravity", kNotAQuantity, "1", "water = 1, 0.9..1.5"},
    {"co2", Dimension::kFraction, "0", "mole fraction; co2+h2s+n2 below 1"},
    {"h2s", Dimension::kFraction, "0", "mole fraction"},
    {"n2", Dimension::kFraction, "0", "mole fraction"},
    {"separator_pressure", Dimension::kPressure, "114.7 psia (100 psig)",
     "separator of the gas gravity"},
    {"separator_temperature", Dimension::kTemperature, "60 °F",
     "separator of the gas gravity"},
    {"pseudo_critical", kNotAQuantity, "sutton",
     "sutton | standing | standing_condensate | hankinson_thomas_phillips"},
    {"non_hydrocarbons", kNotAQuantity, "kay_mixing", "kay_mixing | whole_gas"},
    {"z_factor", kNotAQuantity, "hall_yarborough",
     "hall_yarborough | dranchuk_abou_kassem"},
    {"solution_gas", kNotAQuantity, "standing", "standing | vasquez_beggs"},
    {"dead_oil_viscosity", kNotAQuantity, "beggs_robinson",
     "beggs_robinson | glaso"},
    {"live_oil_viscosity", kNotAQuantity, "beggs_robinson",
     "beggs_robinson | chew_connally"},
    {"oil_rate", Dimension::kLiquidRate, "with water_rate, or liquid_rate",
     "oil rate at standard conditions"},
    {"water_rate", Dimension::kLiquidRate, "with oil_rate",
     "water rate at standard conditions"},
    {"liquid_rate", Dimension::kLiquidRate, "with water_cut, or oil_rate",
     "oil and water together"},
    {"water_cut", Dimension::kFraction, "with liquid_rate",
     "water share of the liquid"},
    {"glr", Dimension::kGasLiquidRatio, "one of glr, gor, gas_rate",
     "gas per oil and water"},
    {"gor", Dimension::kGasLiquidRatio, "one of glr, gor, gas_rate",
     "gas per oil"},
    {"gas_rate", Dimension::kGasRate, "one of glr, gor, gas_rate",
     "gas rate at standard conditions"},
    {"flow", kNotAQuantity, "producer", "producer | injector"},
    {"wellhead_pressure", Dimension::kPressure,
     "one of it and bottomhole_pressure", "the known pressure at the top"},
    {"bottomhole_pressure", Dimension::kPressure,
     "one of it and wellhead_pressure", "the known pressure at the bottom"},
    {"wellhead_temperature", Dimension::kTemperature,
     "with bottomhole_temperature, or temperature_profile",
     "a line in TVD from the top"},
    {"bottomhole_temperature", Dimension::kTemperature,
     "with wellhead_temperature", "at the deepest TVD"},
    {"temperature_profile", kNotAQuantity, "or the two temperatures",
     "CSV file (md, temperature)"},
    {"temperature_model", kNotAQuantity, "linear",
     "linear | ramey (producers, with the two temperatures)"},
    {"correlation", kNotAQuantity, "the catalogue's first",
     "names, a comma list"},
    {"plugins", kNotAQuantity, "the bundled ones, unless --lib",
     "plug-in files, a comma list"},
    {"single_phase", kNotAQuantity, "host",
     "host | correlation: who computes gas-free or liquid-free stretches"},
    {"acceleration", kNotAQuantity, "on",
     "on | off: the kinetic term added to the correlation's gradient"},
    {"step", Dimension::kDepth, "100 ft", "the longest march step"},
    {"tolerance", Dimension::kPressure, "1 Pa", "the march's tolerance"},
    {"lift_rates", Dimension::kLiquidRate, "none: no lift curves",
     "liquid rates, a list"},
    {"lift_glrs", Dimension::kGasLiquidRatio,
     "or lift_wellhead_pressures, or neither (the case's one curve)",
     "ratios, a list"},
    {"lift_wellhead_pressures", Dimension::kPressure, "or lift_glrs",
     "pressures, a list"},
    {"reservoir_pressure", Dimension::kPressure,
     "with productivity_index or vogel_max_rate", "the inflow's pressure"},
    {"productivity_index", Dimension::kProductivityIndex, "or vogel_max_rate",
     "a straight-line inflow"},
    {"vogel_max_rate", Dimension::kLiquidRate, "or productivity_index",
     "Vogel's inflow"},
    {"vfp_rate_type", kNotAQuantity, "LIQ (injectors: the injected phase)",
     "LIQ | OIL | GAS (injectors WAT | GAS | OIL): the lift table's rate"},
    {"vfp_rates", Dimension::kLiquidRate,
     "10 from 0.05 to 2 times the case's rate",
     "rates of that phase, a list (a gas rate unit for GAS)"},
    {"vfp_thp", Dimension::kPressure,
     "0.75, 1, 1.25, 1.5 and 2 times the case's wellhead pressure",
     "tubing-head pressures, a list"},
    {"vfp_water_type", kNotAQuantity, "WCT", "WCT | WOR | WGR"},
    {"vfp_water", Dimension::kFraction,
     "0, half the case's, the case's and two more to 0.95 (WCT)",
     "water fractions, a list (a liquid-gas ratio unit for WGR)"},
    {"vfp_gas_type", kNotAQuantity, "GOR", "GOR | GLR | OGR"},
    {"vfp_gas", Dimension::kGasLiquidRatio,
     "0.25, 0.5, 1, 1.5 and 2 times the case's",
     "gas fractions, a list (a liquid-gas ratio unit for OGR)"},
}};

// The keys alone, in the table's order.
inline constexpr std::array<std::string_view, kWellCaseKeys.size()>
    kWellCaseKeyNames = [] {
      std::array<std::string_view, kWellCaseKeys.size()> names{};
      for (std::size_t k = 0; k < names.size(); ++k) {
        names[k] = kWellCaseKeys[k].key;
      }
      return names;
    }();

// The entry of `key`, or null when the table has none.
[[nodiscard]] constexpr const CaseKey* find_well_case_key(
    std::string_view key) {
  for (const CaseKey& entry : kWellCaseKeys) {
    if (entry.key == key) return &entry;
  }
  return nullptr;
}

}  // namespace pipecorr::hostkit
