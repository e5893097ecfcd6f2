// The rates of a lift table's point from its rate and fractions, and the
// table in the deck's units: expectations worked by hand.
#include <gtest/gtest.h>

#include <string>

#include "reports/vfp_deck.hpp"
#include "studies/vfp_axes.hpp"
#include "text/error.hpp"

namespace pipecorr::hostkit {
namespace {

TEST(VfpAxes, EachTypeOfRateAndFractionFixesTheThreeRates) {
  using R = VfpRateType;
  using W = VfpWaterType;
  using G = VfpGasType;
  struct Case {
    R rate_type;
    W water_type;
    G gas_type;
    double rate, water, gas;
    double oil, water_rate, gas_rate;  // by hand
  } const cases[] = {
      // 100 of liquid a quarter water: 75 oil, 25 water, 75 x 50 gas.
      {R::kLiquid, W::kWaterCut, G::kGasOilRatio, 100, 0.25, 50, 75, 25, 3750},
      {R::kOil, W::kWaterOilRatio, G::kGasLiquidRatio, 100, 0.5, 10, 100, 50,
       1500},
      // 1000 of gas at 0.002 water and 0.01 oil per gas.
      {R::kGas, W::kWaterGasRatio, G::kOilGasRatio, 1000, 0.002, 0.01, 10, 2,
       1000},
      {R::kLiquid, W::kWaterOilRatio, G::kOilGasRatio, 100, 1, 0.05, 50, 50,
       1000},
      {R::kOil, W::kWaterCut, G::kGasOilRatio, 100, 0.5, 20, 100, 100, 2000},
      // 500 of gas at GOR 100: 5 oil, a fifth of the liquid water.
      {R::kGas, W::kWaterCut, G::kGasOilRatio, 500, 0.2, 100, 5, 1.25, 500},
  };
  for (const auto& c : cases) {
    VfpAxes axes;
    axes.rate_type = c.rate_type;
    axes.water_type = c.water_type;
    axes.gas_type = c.gas_type;
    const auto q = vfp_point_rates(axes, c.rate, c.water, c.gas);
    const std::string what = std::string(vfp_rate_word(c.rate_type)) + "/" +
                             std::string(vfp_water_word(c.water_type)) + "/" +
                             std::string(vfp_gas_word(c.gas_type));
    EXPECT_NEAR(q.oil, c.oil, 1e-12 * c.rate) << what;
    EXPECT_NEAR(q.water, c.water_rate, 1e-12 * c.rate) << what;
    EXPECT_NEAR(q.gas, c.gas_rate, 1e-12 * c.gas_rate) << what;
  }
}

TEST(VfpAxes, APointWithoutRatesOfItsOwnIsRefused) {
  VfpAxes axes;
  axes.rate_type = VfpRateType::kOil;
  // All water: an oil rate cannot be had.
  EXPECT_THROW((void)vfp_point_rates(axes, 100, 1.0, 50), Error);
  // More water than liquid.
  axes.rate_type = VfpRateType::kLiquid;
  EXPECT_THROW((void)vfp_point_rates(axes, 100, 1.5, 50), Error);
}

// One point of each axis, converted with the units' definitions: 1 bbl =
// 0.158987294928 m3, 1 ft3 = 0.028316846592 m3, 1 psi = 6894.757293168 Pa.
TEST(VfpAxes, TheTableIsWrittenInTheDecksUnits) {
  VfpBuild build;
  build.axes.rate_type = VfpRateType::kGas;
  build.axes.water_type = VfpWaterType::kWaterGasRatio;
  build.axes.gas_type = VfpGasType::kOilGasRatio;
  build.axes.rates = {1.0};   // std m3/s
  build.axes.thp = {1e6};     // Pa
  build.axes.water = {1e-4};  // m3/m3
  build.axes.gas = {1e-3};    // m3/m3
  build.bhp = {2e7};
  build.datum_tvd = 1000;
  const auto field = vfp_production_table(build, UnitSystem::kField, 3);
  EXPECT_NEAR(field.rates[0], 86400 / 28.316846592, 1e-9);  // Mscf/d
  EXPECT_NEAR(field.thp[0], 1e6 / 6894.757293168, 1e-9);    // psia
  EXPECT_NEAR(field.water[0], 1e-4 * 28316.846592 / 158.987294928, 1e-12);
  EXPECT_NEAR(field.gas[0], 1e-3 * 28316.846592 / 158.987294928, 1e-12);
  EXPECT_NEAR(field.bhp[0], 2e7 / 6894.757293168, 1e-9);
  EXPECT_NEAR(field.datum_depth, 1000 / 0.3048, 1e-9);
  EXPECT_EQ(field.number, 3);
  const auto metric = vfp_production_table(build, UnitSystem::kSi, 3);
  EXPECT_DOUBLE_EQ(metric.rates[0], 86400);  // sm3/d
  EXPECT_DOUBLE_EQ(metric.thp[0], 10);       // barsa
  EXPECT_DOUBLE_EQ(metric.gas[0], 1e-3);
  EXPECT_DOUBLE_EQ(metric.datum_depth, 1000);

  // A liquid rate in STB/d, a gas-oil ratio in Mscf/STB.
  build.axes.rate_type = VfpRateType::kLiquid;
  build.axes.gas_type = VfpGasType::kGasOilRatio;
  build.axes.gas = {100};
  const auto oil = vfp_production_table(build, UnitSystem::kField, 1);
  EXPECT_NEAR(oil.rates[0], 86400 / 0.158987294928, 1e-7);
  EXPECT_NEAR(oil.gas[0], 100 * 0.158987294928 / 28.316846592, 1e-12);
}

}  // namespace
}  // namespace pipecorr::hostkit
