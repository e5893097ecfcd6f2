// Temperature along the well: geothermal line, measured profile, and
// Ramey's flowing temperature with Shiu & Beggs' relaxation distance.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "numbers/unit_factors.hpp"
#include "well/ramey.hpp"
#include "well/survey.hpp"
#include "well/temperature.hpp"

namespace {

using namespace pipecorr::well;
namespace units = pipecorr::units;

TEST(Temperature, GeothermalRunsToTheDeepestTvd) {
  // The toe turns up to 2900 m: the bottom-hole temperature belongs to
  // the deepest point, 3000 m.
  const std::vector<SurveyStation> survey = {
      {0, 0, {}, 0.0}, {3500, 80, {}, 3000.0}, {4000, 100, {}, 2900.0}};
  const auto path = build_path(survey);
  const auto geo = GeothermalTemperature::for_path(path, 288.15, 378.15);
  EXPECT_DOUBLE_EQ(geo.gradient(), 0.03);
  const TemperatureModel model = geo;
  EXPECT_DOUBLE_EQ(temperature_at(model, 4000, 2900), 375.15);
  EXPECT_THROW(GeothermalTemperature(100, 300, 100, 310), WellInputError);
}

TEST(Temperature, ProfileInterpolatesInMdAndMustSpanTheWell) {
  const TemperatureProfile profile({{0, 290}, {1000, 330}, {3000, 370}});
  EXPECT_DOUBLE_EQ(profile.at_md(500), 310);
  EXPECT_DOUBLE_EQ(profile.at_md(2000), 350);
  EXPECT_EQ(profile.at_md(-1), 290);
  EXPECT_EQ(profile.at_md(4000), 370);
  const std::vector<SurveyStation> survey = {{0, 0, {}, {}}, {3100, 0, {}, {}}};
  EXPECT_THROW(check_temperature(profile, build_path(survey)), WellInputError);
  // One point: the same temperature everywhere.
  EXPECT_NO_THROW(
      check_temperature(TemperatureProfile({{0, 300}}), build_path(survey)));
  try {
    TemperatureProfile({{0, 290}, {10, 0}});
    FAIL();
  } catch (const WellInputError& e) {
    EXPECT_EQ(e.row(), 1u);
  }
  EXPECT_THROW(TemperatureProfile({{10, 290}, {10, 300}}), WellInputError);
}

// Bottom 3000 m at 360 K, 0.03 K/m, A = 500 m: the earth is 345 K at
// z = 500 m above the inflow; by hand, 345 + 15 (1 - 1/e) = 354.481808 K,
// and with the fluid entering 10 K cooler, 350.803014 K.
TEST(Ramey, HandValuesAndLimits) {
  RameyInputs in{3000, 360, 0.03, 500, {}};
  const RameyTemperature ramey(in);
  EXPECT_NEAR(ramey.at_tvd(2500), 354.48180838, 1e-8);
  EXPECT_EQ(ramey.at_tvd(3000), 360);
  EXPECT_EQ(ramey.at_tvd(3100), 360);  // below the inflow
  // Far above the inflow: warmer than the earth by g A = 15 K.
  EXPECT_NEAR(ramey.at_tvd(-22000) - ramey.earth_at_tvd(-22000), 15, 1e-9);
  in.inlet_temperature = 350;
  const RameyTemperature cooler(in);
  EXPECT_NEAR(cooler.at_tvd(2500), 350.80301397, 1e-8);
  EXPECT_EQ(cooler.at_tvd(3000), 350);
  // The heat balance the solution comes from: dT/dz = (Te - T) / A.
  for (const double tvd : {2990.0, 2000.0, 500.0}) {
    const double h = 0.01;
    const double dt_dz =
        (cooler.at_tvd(tvd - h) - cooler.at_tvd(tvd + h)) / (2 * h);
    EXPECT_NEAR(dt_dz, (cooler.earth_at_tvd(tvd) - cooler.at_tvd(tvd)) / 500,
                1e-8)
        << tvd;
  }
  in.relaxation_distance = 0;
  EXPECT_THROW(RameyTemperature{in}, WellInputError);
}

// Shiu & Beggs' correlation evaluated by hand (a separate transcription of
// Brill & Mukherjee, SPE Monograph 17, 1999) for 10 lbm/s, 2.441 in, 35
// API, gas gravity 0.7, 53 lbm/ft3: 2277.43 ft.
TEST(Ramey, ShiuBeggsRelaxationDistance) {
  const ShiuBeggsFieldInputs field_in{10, 2.441, 35, 0.7, 53};
  EXPECT_NEAR(shiu_beggs_relaxation_distance_ft(field_in), 2277.4293821, 1e-6);
  const double si = shiu_beggs_relaxation_distance(
      units::lbm_s_to_kg_s(10), units::in_to_m(2.441), 35, 0.7,
      units::lbm_ft3_to_kg_m3(53));
  EXPECT_NEAR(si, 2277.4293821 * 0.3048, 1e-6);
  // Field-unit Ramey: 200 F at 10000 ft, 0.015 F/ft.
  const auto ramey = ramey_from_field_units({field_in, 0.015, 200, 10000});
  EXPECT_NEAR(ramey.inputs().bottom_temperature, 366.483333333, 1e-8);
  EXPECT_NEAR(ramey.inputs().geothermal_gradient, 0.015 / 1.8 / 0.3048, 1e-15);
  EXPECT_NEAR(ramey.inputs().relaxation_distance, si, 1e-9);
  EXPECT_THROW((void)shiu_beggs_relaxation_distance_ft({10, 2.441, 35, 0, 53}),
               WellInputError);
}

}  // namespace
