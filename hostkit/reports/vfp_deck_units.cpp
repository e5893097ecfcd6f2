// A computed lift table in the units the simulator's deck prescribes: the
// case's units are the user's, the table's are the simulator's.
#include "numbers/unit_factors.hpp"
#include "reports/vfp_deck.hpp"

namespace pipecorr::hostkit {
namespace {

namespace fu = pipecorr::units;

struct DeckUnits {
  bool field = true;

  [[nodiscard]] double rate(double si, VfpRateType type) const {
    const double per_day = si * fu::kSecondsPerDay;
    if (!field) return per_day;
    return type == VfpRateType::kGas
               ? per_day / (1e3 * fu::kCubicMetresPerCubicFoot)
               : per_day / fu::kCubicMetresPerBarrel;
  }
  [[nodiscard]] double pressure(double si) const {
    return field ? si / fu::kPascalsPerPsi : si / fu::kPascalsPerBar;
  }
  [[nodiscard]] double depth(double si) const {
    return field ? si / fu::kMetresPerFoot : si;
  }
  // Mscf/STB
  [[nodiscard]] double gas_per_liquid(double si) const {
    return field ? si * fu::kCubicFeetPerBarrel / 1e3 : si;
  }
  // STB/Mscf
  [[nodiscard]] double liquid_per_gas(double si) const {
    return field ? si * 1e3 / fu::kCubicFeetPerBarrel : si;
  }
};

std::vector<double> converted(const std::vector<double>& values,
                              const auto& convert) {
  std::vector<double> out;
  out.reserve(values.size());
  for (const double v : values) out.push_back(convert(v));
  return out;
}

}  // namespace

VfpProductionTable vfp_production_table(const VfpBuild& build, UnitSystem units,
                                        int number) {
  const DeckUnits deck{units == UnitSystem::kField};
  const VfpAxes& axes = build.axes;
  VfpProductionTable table;
  table.number = number;
  table.units = deck.field ? VfpUnits::kField : VfpUnits::kMetric;
  table.datum_depth = deck.depth(build.datum_tvd);
  table.rate_type = axes.rate_type;
  table.water_type = axes.water_type;
  table.gas_type = axes.gas_type;
  table.rates = converted(
      axes.rates, [&](double q) { return deck.rate(q, axes.rate_type); });
  table.thp = converted(axes.thp, [&](double p) { return deck.pressure(p); });
  table.water =
      axes.water_type == VfpWaterType::kWaterGasRatio
          ? converted(axes.water,
                      [&](double r) { return deck.liquid_per_gas(r); })
          : axes.water;
  table.gas = axes.gas_type == VfpGasType::kOilGasRatio
                  ? converted(axes.gas,
                              [&](double r) { return deck.liquid_per_gas(r); })
                  : converted(axes.gas,
                              [&](double r) { return deck.gas_per_liquid(r); });
  // Both hold the rate index fastest, then gas and water (one lift value).
  table.bhp = converted(build.bhp, [&](double p) { return deck.pressure(p); });
  return table;
}

VfpInjectionTable vfp_injection_table(const VfpBuild& build, UnitSystem units,
                                      int number) {
  const DeckUnits deck{units == UnitSystem::kField};
  VfpInjectionTable table;
  table.number = number;
  table.units = deck.field ? VfpUnits::kField : VfpUnits::kMetric;
  table.datum_depth = deck.depth(build.datum_tvd);
  table.rate_type = build.axes.rate_type;
  table.rates = converted(build.axes.rates, [&](double q) {
    return deck.rate(q, build.axes.rate_type);
  });
  table.thp =
      converted(build.axes.thp, [&](double p) { return deck.pressure(p); });
  table.bhp = converted(build.bhp, [&](double p) { return deck.pressure(p); });
  return table;
}

std::string vfp_keyword_text(const VfpBuild& build, UnitSystem units,
                             int number, std::string_view comments) {
  return build.axes.injector
             ? vfpinj_text(vfp_injection_table(build, units, number), comments)
             : vfpprod_text(vfp_production_table(build, units, number),
                            comments);
}

}  // namespace pipecorr::hostkit
