// The lift-table keys of a field case: the axes' types and values. What
// is left out is made from the case when the table is built.
#include <array>
#include <cmath>

#include "cases/well_case_parts.hpp"
#include "cases/well_limits.hpp"
#include "numbers/number_text.hpp"

namespace pipecorr::hostkit::well_case_parts {
namespace {

constexpr std::array<std::string_view, 3> kProducerRates{"LIQ", "OIL", "GAS"};
constexpr std::array<std::string_view, 3> kInjectorRates{"WAT", "GAS", "OIL"};
constexpr std::array<std::string_view, 3> kWaterTypes{"WCT", "WOR", "WGR"};
constexpr std::array<std::string_view, 3> kGasTypes{"GOR", "GLR", "OGR"};

std::string chosen(const CaseKeys& keys, const KeyValue* entry,
                   std::span<const std::string_view> choices) {
  if (entry == nullptr) return {};
  return std::string(choices[keys.choice(*entry, choices)]);
}

// Each axis of the table must rise strictly: the simulator interpolates
// between neighbours.
void check_rising(const CaseKeys& keys, const KeyValue& entry,
                  const std::vector<double>& values, bool zero_allowed) {
  for (std::size_t k = 0; k < values.size(); ++k) {
    const std::string where = "value " + std::to_string(k + 1) + ": ";
    const bool low = zero_allowed ? !(values[k] >= 0.0) : !(values[k] > 0.0);
    if (low || !std::isfinite(values[k])) {
      keys.fail(entry, where + (zero_allowed ? "must not be negative"
                                             : "must be positive"));
    }
    if (k > 0 && !(values[k] > values[k - 1])) {
      keys.fail(entry, where + "the values must rise strictly");
    }
  }
}

}  // namespace

VfpSettings read_vfp(const CaseKeys& keys, UnitSystem units,
                     well::FlowDirection flow) {
  VfpSettings vfp;
  const bool injector = flow == well::FlowDirection::kDownTheWell;
  vfp.rate_type = chosen(keys, keys.find("vfp_rate_type"),
                         injector ? kInjectorRates : kProducerRates);
  vfp.water_type = chosen(keys, keys.find("vfp_water_type"), kWaterTypes);
  vfp.gas_type = chosen(keys, keys.find("vfp_gas_type"), kGasTypes);
  if (injector) {
    // An injector's table has rates and THP only.
    for (const auto* key :
         {"vfp_water_type", "vfp_water", "vfp_gas_type", "vfp_gas"}) {
      if (const KeyValue* entry = keys.find(key)) {
        keys.fail(*entry,
                  "belongs to a producer's lift table; an injector's has "
                  "rates and THP only");
      }
    }
  }

  if (const KeyValue* entry = keys.find("vfp_rates")) {
    const Dimension dimension =
        vfp.rate_type == "GAS" ? Dimension::kGasRate : Dimension::kLiquidRate;
    vfp.rates = read_list(keys, *entry, units, dimension);
    check_rising(keys, *entry, vfp.rates, false);
  }
  if (const KeyValue* entry = keys.find("vfp_thp")) {
    vfp.thp = read_list(keys, *entry, units);
    for (std::size_t k = 0; k < vfp.thp.size(); ++k) {
      const std::string why = pressure_trouble(vfp.thp[k], units);
      if (!why.empty()) {
        keys.fail(*entry, "value " + std::to_string(k + 1) + ": " + why);
      }
    }
    check_rising(keys, *entry, vfp.thp, false);
  }
  if (const KeyValue* entry = keys.find("vfp_water")) {
    const Dimension dimension = vfp.water_type == "WGR"
                                    ? Dimension::kLiquidGasRatio
                                    : Dimension::kFraction;
    vfp.water = read_list(keys, *entry, units, dimension);
    check_rising(keys, *entry, vfp.water, true);
    if ((vfp.water_type.empty() || vfp.water_type == "WCT") &&
        !vfp.water.empty() && !(vfp.water.back() < 1.0)) {
      keys.fail(*entry, "a water cut must stay below 1, got " +
                            shortest(vfp.water.back()));
    }
  }
  if (const KeyValue* entry = keys.find("vfp_gas")) {
    const Dimension dimension = vfp.gas_type == "OGR"
                                    ? Dimension::kLiquidGasRatio
                                    : Dimension::kGasLiquidRatio;
    vfp.gas = read_list(keys, *entry, units, dimension);
    check_rising(keys, *entry, vfp.gas, true);
  }
  return vfp;
}

}  // namespace pipecorr::hostkit::well_case_parts
