#include <array>

#include <stdexcept>

#include "cases/well_case_keys.hpp"
#include "cases/well_case_parts.hpp"
#include "cases/well_limits.hpp"
#include "fluids/domain.hpp"
#include "fluids/fluid_error.hpp"
#include "numbers/number_text.hpp"

namespace pipecorr::hostkit::well_case_parts {
namespace {

// Why the fluid module cannot build the fluid, or nothing.
std::string refusal(const fluids::FluidDescription& fluid) {
  try {
    const fluids::BlackOilFluid check(fluid);
  } catch (const fluids::FluidError& error) {
    return error.what();
  }
  return {};
}

// A plain number within the fluid module's domain.
double read_within(const CaseKeys& keys, const KeyValue& entry, double low,
                   double high) {
  const double value = keys.number(entry);
  if (!(value >= low && value <= high)) {
    keys.fail(entry, shortest(value) +
                         " is outside the fluid correlations' range " +
                         shortest(low) + " to " + shortest(high));
  }
  return value;
}

double read_fraction(const CaseKeys& keys, const KeyValue& entry,
                     UnitSystem units) {
  const double value = key_quantity(keys, entry, units);
  if (!(value >= 0.0 && value <= 1.0)) {
    keys.fail(entry, "a fraction must lie from 0 to 1 (0 to 100 %), got " +
                         shortest(value));
  }
  return value;
}

// Index into the choices, or the default when the key is absent.
template <typename Enum, std::size_t N>
Enum read_choice(const CaseKeys& keys, std::string_view key,
                 const std::array<std::string_view, N>& names,
                 const std::array<Enum, N>& values, Enum fallback) {
  const KeyValue* entry = keys.find(key);
  return entry == nullptr ? fallback : values[keys.choice(*entry, names)];
}

fluids::CorrelationChoice read_correlation_choice(const CaseKeys& keys) {
  using fluids::GravityCorrelation;
  fluids::CorrelationChoice c;
  c.pseudo_critical =
      read_choice(keys, "pseudo_critical",
                  std::array<std::string_view, 4>{"sutton", "standing",
                                                  "standing_condensate",
                                                  "hankinson_thomas_phillips"},
                  std::array{GravityCorrelation::kSutton,
                             GravityCorrelation::kStandingNaturalGas,
                             GravityCorrelation::kStandingCondensate,
                             GravityCorrelation::kHankinsonThomasPhillips},
                  c.pseudo_critical);
  c.non_hydrocarbons =
      read_choice(keys, "non_hydrocarbons",
                  std::array<std::string_view, 2>{"kay_mixing", "whole_gas"},
                  std::array{fluids::NonHydrocarbonTreatment::kKayMixing,
                             fluids::NonHydrocarbonTreatment::kWholeGas},
                  c.non_hydrocarbons);
  c.z = read_choice(keys, "z_factor",
                    std::array<std::string_view, 2>{"hall_yarborough",
                                                    "dranchuk_abou_kassem"},
                    std::array{fluids::ZCorrelation::kHallYarborough,
                               fluids::ZCorrelation::kDranchukAbouKassem},
                    c.z);
  c.solution_gas =
      read_choice(keys, "solution_gas",
                  std::array<std::string_view, 2>{"standing", "vasquez_beggs"},
                  std::array{fluids::SolutionGasCorrelation::kStanding,
                             fluids::SolutionGasCorrelation::kVasquezBeggs},
                  c.solution_gas);
  c.dead_oil_viscosity = read_choice(
      keys, "dead_oil_viscosity",
      std::array<std::string_view, 2>{"beggs_robinson", "glaso"},
      std::array{fluids::DeadOilViscosityCorrelation::kBeggsRobinson,
                 fluids::DeadOilViscosityCorrelation::kGlaso},
      c.dead_oil_viscosity);
  c.live_oil_viscosity = read_choice(
      keys, "live_oil_viscosity",
      std::array<std::string_view, 2>{"beggs_robinson", "chew_connally"},
      std::array{fluids::LiveOilViscosityCorrelation::kBeggsRobinson,
                 fluids::LiveOilViscosityCorrelation::kChewConnally},
      c.live_oil_viscosity);
  return c;
}

}  // namespace

fluids::FluidDescription read_fluid(const CaseKeys& keys, UnitSystem units) {
  namespace domain = fluids::domain;
  fluids::FluidDescription fluid;
  fluid.api =
      read_within(keys, keys.require("api"), domain::kMinApi, domain::kMaxApi);
  const KeyValue& gas_gravity = keys.require("gas_gravity");
  fluid.gas_gravity = read_within(keys, gas_gravity, domain::kMinGasGravity,
                                  domain::kMaxGasGravity);
  if (const KeyValue* entry = keys.find("water_gravity")) {
    fluid.water_gravity = read_within(keys, *entry, domain::kMinWaterGravity,
                                      domain::kMaxWaterGravity);
  }

  // The non-hydrocarbons; their sum is charged to the last one given.
  const KeyValue* last = nullptr;
  const std::array<std::pair<std::string_view, double*>, 3> gases{{
      {"co2", &fluid.non_hydrocarbons.co2},
      {"h2s", &fluid.non_hydrocarbons.h2s},
      {"n2", &fluid.non_hydrocarbons.n2},
  }};
  for (const auto& [key, field] : gases) {
    const KeyValue* entry = keys.find(key);
    if (entry == nullptr) continue;
    *field = read_fraction(keys, *entry, units);
    if (last == nullptr || entry->line > last->line) last = entry;
  }
  const auto& y = fluid.non_hydrocarbons;
  if (last != nullptr && !(y.co2 + y.h2s + y.n2 < 1.0)) {
    keys.fail(*last, "co2 + h2s + n2 = " + shortest(y.co2 + y.h2s + y.n2) +
                         " leaves no hydrocarbon gas: the sum must be below 1");
  }

  if (const KeyValue* entry = keys.find("separator_pressure")) {
    fluid.separator_pressure = read_pressure(keys, *entry, units);
  }
  if (const KeyValue* entry = keys.find("separator_temperature")) {
    fluid.separator_temperature = key_quantity(keys, *entry, units);
    const std::string why =
        temperature_trouble(fluid.separator_temperature, units);
    if (!why.empty()) keys.fail(*entry, why);
  }
  fluid.correlations = read_correlation_choice(keys);

  // What only the whole description shows (a gas too light for the
  // non-hydrocarbons it holds, a separator whose correction takes the gas
  // gravity out of range) the fluid module finds when it builds it.
  std::string why = refusal(fluid);
  if (why.empty()) return fluid;
  // A separator the case gives is at fault when the gas builds with the
  // standard one: the message blames the key that holds the cause.
  const KeyValue* pressure = keys.find("separator_pressure");
  const KeyValue* temperature = keys.find("separator_temperature");
  fluids::FluidDescription standard = fluid;
  standard.separator_pressure = fluids::FluidDescription{}.separator_pressure;
  standard.separator_temperature =
      fluids::FluidDescription{}.separator_temperature;
  if ((pressure != nullptr || temperature != nullptr) &&
      refusal(standard).empty()) {
    const KeyValue& blamed = pressure != nullptr ? *pressure : *temperature;
    keys.fail(
        blamed,
        "a separator at " +
            shown(fluid.separator_pressure, Dimension::kPressure, units) +
            " and " +
            shown(fluid.separator_temperature, Dimension::kTemperature, units) +
            " corrects the gas gravity " + shortest(fluid.gas_gravity) +
            " out of the fluid correlations' range: " + why);
  }
  keys.fail(gas_gravity, "the fluid module refuses the gas: " + why);
}

fluids::StandardRates read_rates(const CaseKeys& keys, UnitSystem units) {
  const KeyValue& liquid = *keys.one_of({"oil_rate", "liquid_rate"}, true);
  const KeyValue& water = *keys.one_of({"water_rate", "water_cut"}, true);
  const KeyValue& gas = *keys.one_of({"glr", "gor", "gas_rate"}, true);
  const bool by_cut = liquid.key == "liquid_rate";
  if (by_cut && water.key == "water_rate") {
    keys.fail(water,
              "water_rate goes with oil_rate; with liquid_rate (oil and "
              "water together) give water_cut");
  }
  if (!by_cut && water.key == "water_cut") {
    keys.fail(water,
              "water_cut goes with liquid_rate (oil and water together); "
              "with oil_rate give water_rate");
  }
  const auto rate = [&](const KeyValue& entry) {
    const double value = key_quantity(keys, entry, units);
    const std::string why = rate_trouble(value, key_dimension(entry), units);
    if (!why.empty()) keys.fail(entry, why);
    return value;
  };

  fluids::StandardRates rates;
  const double first = rate(liquid);
  if (by_cut) {
    const double cut = read_fraction(keys, water, units);
    rates.water = first * cut;
    rates.oil = first - rates.water;
  } else {
    rates.oil = first;
    rates.water = rate(water);
  }
  if (gas.key == "gas_rate") {
    rates.gas = rate(gas);
  } else {
    const double ratio = key_quantity(keys, gas, units);
    if (!(ratio >= 0.0)) {
      keys.fail(gas, "a gas ratio must be 0 or more, got " +
                         shown(ratio, Dimension::kGasLiquidRatio, units));
    }
    rates.gas =
        ratio * (gas.key == "gor" ? rates.oil : rates.oil + rates.water);
    const std::string why = rate_trouble(rates.gas, Dimension::kGasRate, units);
    if (!why.empty()) keys.fail(gas, "the gas " + why);
  }
  if (rates.oil == 0.0 && rates.water == 0.0 && rates.gas == 0.0) {
    keys.fail(liquid, "nothing flows: the oil, water and gas rates are all 0");
  }
  return rates;
}

double read_pressure(const CaseKeys& keys, const KeyValue& entry,
                     UnitSystem units) {
  const double value = key_quantity(keys, entry, units);
  const std::string why = pressure_trouble(value, units);
  if (!why.empty()) keys.fail(entry, why);
  return value;
}

Dimension key_dimension(const KeyValue& entry) {
  const CaseKey* key = find_well_case_key(entry.key);
  if (key == nullptr || !key->dimension) {
    throw std::logic_error("the key table gives '" + std::string(entry.key) +
                           "' no dimension");
  }
  return *key->dimension;
}

double key_quantity(const CaseKeys& keys, const KeyValue& entry,
                    UnitSystem units) {
  return keys.quantity(entry, key_dimension(entry), units);
}

std::vector<double> key_quantities(const CaseKeys& keys, const KeyValue& entry,
                                   UnitSystem units) {
  return keys.quantities(entry, key_dimension(entry), units);
}

}  // namespace pipecorr::hostkit::well_case_parts
