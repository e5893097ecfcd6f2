#include "studies/vfp_axes.hpp"

#include <array>
#include <cmath>

#include "numbers/number_text.hpp"
#include "numbers/unit_factors.hpp"
#include "text/error.hpp"

namespace pipecorr::hostkit {
namespace {

// Near-geometric and exact in binary arithmetic on every target: the
// case's own rate is on the axis.
constexpr std::array kRateFactors{0.05, 0.1, 0.15, 0.25, 0.4,
                                  0.6,  0.8, 1.0,  1.5,  2.0};
constexpr std::array kThpFactors{0.75, 1.0, 1.25, 1.5, 2.0};
constexpr std::array kRatioFactors{0.25, 0.5, 1.0, 1.5, 2.0};
// A water cut this close to 1 leaves too little oil for a gas-oil ratio to
// mean much.
constexpr double kTopWaterCut = 0.95;

VfpRateType rate_type_of(const std::string& word, const WellCase& c) {
  if (word == "OIL") return VfpRateType::kOil;
  if (word == "GAS") return VfpRateType::kGas;
  if (word == "WAT") return VfpRateType::kWater;
  if (word == "LIQ") return VfpRateType::kLiquid;
  // Unset: the liquid rate of a producer (the gas rate of a dry one), the
  // injected phase of an injector.
  const auto& q = c.rates;
  if (c.flow == well::FlowDirection::kDownTheWell) {
    if (q.water > 0.0) return VfpRateType::kWater;
    return q.gas > 0.0 ? VfpRateType::kGas : VfpRateType::kOil;
  }
  return q.oil + q.water > 0.0 ? VfpRateType::kLiquid : VfpRateType::kGas;
}

double case_rate(VfpRateType type, const fluids::StandardRates& q) {
  switch (type) {
    case VfpRateType::kOil:
      return q.oil;
    case VfpRateType::kLiquid:
      return q.oil + q.water;
    case VfpRateType::kGas:
      return q.gas;
    case VfpRateType::kWater:
      return q.water;
  }
  return 0.0;
}

// The ratio a over b, 0 when both are 0 (and infinite when only b is).
double ratio(double a, double b) {
  if (a == 0.0) return 0.0;
  return b > 0.0 ? a / b : HUGE_VAL;
}

double case_water(VfpWaterType type, const fluids::StandardRates& q) {
  switch (type) {
    case VfpWaterType::kWaterCut:
      return ratio(q.water, q.oil + q.water);
    case VfpWaterType::kWaterOilRatio:
      return ratio(q.water, q.oil);
    case VfpWaterType::kWaterGasRatio:
      return ratio(q.water, q.gas);
  }
  return 0.0;
}

double case_gas(VfpGasType type, const fluids::StandardRates& q) {
  switch (type) {
    case VfpGasType::kGasOilRatio:
      return ratio(q.gas, q.oil);
    case VfpGasType::kGasLiquidRatio:
      return ratio(q.gas, q.oil + q.water);
    case VfpGasType::kOilGasRatio:
      return ratio(q.oil, q.gas);
  }
  return 0.0;
}

template <std::size_t N>
std::vector<double> scaled(double value, const std::array<double, N>& by) {
  std::vector<double> axis;
  for (const double factor : by) axis.push_back(value * factor);
  return axis;
}

std::vector<double> default_water_cuts(double cut) {
  if (cut == 0.0) return {0.0, 0.2, 0.4, 0.6, 0.8};
  if (cut >= kTopWaterCut) return {0.0, cut / 4, cut / 2, cut * 0.75, cut};
  return {0.0, cut / 2, cut, cut + (kTopWaterCut - cut) / 2, kTopWaterCut};
}

[[noreturn]] void refuse(const WellCase& c, const std::string& why) {
  throw Error(c.source.string() + ": lift table: " + why);
}

double determinant(const std::array<std::array<double, 3>, 3>& m) {
  return m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
         m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
         m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
}

}  // namespace

std::string_view vfp_rate_word(VfpRateType type) {
  switch (type) {
    case VfpRateType::kOil:
      return "OIL";
    case VfpRateType::kLiquid:
      return "LIQ";
    case VfpRateType::kGas:
      return "GAS";
    case VfpRateType::kWater:
      return "WAT";
  }
  return "LIQ";
}

std::string_view vfp_water_word(VfpWaterType type) {
  switch (type) {
    case VfpWaterType::kWaterCut:
      return "WCT";
    case VfpWaterType::kWaterOilRatio:
      return "WOR";
    case VfpWaterType::kWaterGasRatio:
      return "WGR";
  }
  return "WCT";
}

std::string_view vfp_gas_word(VfpGasType type) {
  switch (type) {
    case VfpGasType::kGasOilRatio:
      return "GOR";
    case VfpGasType::kGasLiquidRatio:
      return "GLR";
    case VfpGasType::kOilGasRatio:
      return "OGR";
  }
  return "GOR";
}

fluids::StandardRates vfp_point_rates(const VfpAxes& axes, double rate,
                                      double water, double gas) {
  if (axes.injector) {
    fluids::StandardRates q;
    if (axes.rate_type == VfpRateType::kWater) q.water = rate;
    if (axes.rate_type == VfpRateType::kGas) q.gas = rate;
    if (axes.rate_type == VfpRateType::kOil) q.oil = rate;
    return q;
  }
  // Three linear equations in (oil, water, gas): the rate, then the water
  // and gas fractions as ratios that vanish when met.
  std::array<std::array<double, 3>, 3> m{};
  std::array<double, 3> rhs{rate, 0.0, 0.0};
  switch (axes.rate_type) {
    case VfpRateType::kLiquid:
      m[0] = {1.0, 1.0, 0.0};
      break;
    case VfpRateType::kOil:
      m[0] = {1.0, 0.0, 0.0};
      break;
    case VfpRateType::kGas:
      m[0] = {0.0, 0.0, 1.0};
      break;
    case VfpRateType::kWater:
      m[0] = {0.0, 1.0, 0.0};
      break;
  }
  switch (axes.water_type) {
    case VfpWaterType::kWaterCut:
      m[1] = {-water, 1.0 - water, 0.0};
      break;
    case VfpWaterType::kWaterOilRatio:
      m[1] = {-water, 1.0, 0.0};
      break;
    case VfpWaterType::kWaterGasRatio:
      m[1] = {0.0, 1.0, -water};
      break;
  }
  switch (axes.gas_type) {
    case VfpGasType::kGasOilRatio:
      m[2] = {-gas, 0.0, 1.0};
      break;
    case VfpGasType::kGasLiquidRatio:
      m[2] = {-gas, -gas, 1.0};
      break;
    case VfpGasType::kOilGasRatio:
      m[2] = {1.0, 0.0, -gas};
      break;
  }
  const double d = determinant(m);
  std::array<double, 3> x{};
  for (std::size_t k = 0; k < 3 && d != 0.0; ++k) {
    auto column = m;
    for (std::size_t row = 0; row < 3; ++row) column[row][k] = rhs[row];
    x[k] = determinant(column) / d;
  }
  const std::string point =
      std::string(vfp_rate_word(axes.rate_type)) + " " + shortest(rate) + ", " +
      std::string(vfp_water_word(axes.water_type)) + " " + shortest(water) +
      ", " + std::string(vfp_gas_word(axes.gas_type)) + " " + shortest(gas);
  if (d == 0.0 || !std::isfinite(d)) {
    throw Error("the table's point " + point + " (SI) fixes no rates");
  }
  for (double& value : x) {
    // Rounding may leave a phase that is absent a hair below zero.
    if (std::fabs(value) <= 1e-12 * rate) value = 0.0;
    if (!(value >= 0.0) || !std::isfinite(value)) {
      throw Error("the table's point " + point +
                  " (SI) needs a negative rate of a phase");
    }
  }
  return {x[0], x[1], x[2]};
}

VfpAxes vfp_axes(const WellCase& c) {
  const VfpSettings& given = c.vfp;
  VfpAxes axes;
  axes.injector = c.flow == well::FlowDirection::kDownTheWell;
  axes.rate_type = rate_type_of(given.rate_type, c);
  const bool gas_rate = axes.rate_type == VfpRateType::kGas;
  axes.water_type = given.water_type == "WOR"   ? VfpWaterType::kWaterOilRatio
                    : given.water_type == "WGR" ? VfpWaterType::kWaterGasRatio
                    : given.water_type == "WCT" ? VfpWaterType::kWaterCut
                    : gas_rate                  ? VfpWaterType::kWaterGasRatio
                                                : VfpWaterType::kWaterCut;
  axes.gas_type = given.gas_type == "GLR"   ? VfpGasType::kGasLiquidRatio
                  : given.gas_type == "OGR" ? VfpGasType::kOilGasRatio
                  : given.gas_type == "GOR" ? VfpGasType::kGasOilRatio
                  : gas_rate                ? VfpGasType::kOilGasRatio
                                            : VfpGasType::kGasOilRatio;

  axes.rates = given.rates;
  if (axes.rates.empty()) {
    const double q = case_rate(axes.rate_type, c.rates);
    if (!(q > 0.0)) {
      refuse(c, "the case has no " +
                    std::string(vfp_rate_word(axes.rate_type)) +
                    " rate to make the rate axis from: give vfp_rates");
    }
    axes.rates = scaled(q, kRateFactors);
  }
  axes.thp = given.thp;
  if (axes.thp.empty()) {
    if (c.known_end != well::KnownEnd::kWellhead) {
      refuse(c,
             "the case gives no wellhead pressure to make the THP axis "
             "from: give vfp_thp");
    }
    axes.thp = scaled(c.known_pressure, kThpFactors);
  }
  if (axes.injector) {
    axes.water = {0.0};
    axes.gas = {0.0};
    return axes;
  }

  axes.water = given.water;
  if (axes.water.empty()) {
    const double w = case_water(axes.water_type, c.rates);
    if (!std::isfinite(w)) {
      refuse(c, "the case's " + std::string(vfp_water_word(axes.water_type)) +
                    " is unbounded: give vfp_water");
    }
    if (axes.water_type == VfpWaterType::kWaterCut) {
      axes.water = default_water_cuts(w);
    } else if (w > 0.0) {
      axes.water = scaled(w, kRatioFactors);
      axes.water.insert(axes.water.begin(), 0.0);
    } else {
      refuse(c, "the case has no water to make the " +
                    std::string(vfp_water_word(axes.water_type)) +
                    " axis from: give vfp_water");
    }
  }
  axes.gas = given.gas;
  if (axes.gas.empty()) {
    const double g = case_gas(axes.gas_type, c.rates);
    if (!(g > 0.0) || !std::isfinite(g)) {
      refuse(c, "the case's " + std::string(vfp_gas_word(axes.gas_type)) +
                    " cannot make the gas axis (it is 0 or unbounded): "
                    "give vfp_gas");
    }
    axes.gas = scaled(g, kRatioFactors);
  }
  // Every point must give rates the well can have: found now, not after
  // hours of traverses.
  for (const double w : axes.water) {
    for (const double g : axes.gas) {
      try {
        (void)vfp_point_rates(axes, axes.rates.front(), w, g);
      } catch (const Error& error) {
        refuse(c, error.what());
      }
    }
  }
  return axes;
}

}  // namespace pipecorr::hostkit
