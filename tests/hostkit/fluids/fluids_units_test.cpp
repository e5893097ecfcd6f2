// Unit conversions and standard-condition constants against published
// factors: NIST Special Publication 811 (2008), appendix B.9, for the
// conversions; McCain, The Properties of Petroleum Fluids (1990), for the
// oilfield constants.
#include <gtest/gtest.h>

#include <string>

#include "fluids/standard_conditions.hpp"
#include "numbers/unit_factors.hpp"

namespace {

namespace u = pipecorr::units;
namespace f = pipecorr::fluids;

struct Conversion {
  std::string name;
  double (*to_si)(double);
  double (*from_si)(double);
  double si_of_one;  // one field unit in SI, as NIST lists it (7 digits)
};

class UnitConversion : public ::testing::TestWithParam<Conversion> {};

TEST_P(UnitConversion, MatchesPublishedFactorAndRoundTrips) {
  const Conversion& c = GetParam();
  EXPECT_NEAR(c.to_si(1.0), c.si_of_one, 5e-7 * c.si_of_one);
  for (const double x : {0.0, 1e-3, 0.7, 123.456, 5.0e4}) {
    EXPECT_DOUBLE_EQ(c.from_si(c.to_si(x)), x) << x;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Nist811, UnitConversion,
    ::testing::Values(
        Conversion{"Psi", u::psia_to_pa, u::pa_to_psia, 6.894757e3},
        Conversion{"Foot", u::ft_to_m, u::m_to_ft, 0.3048},
        Conversion{"Inch", u::in_to_m, u::m_to_in, 0.0254},
        Conversion{"PoundPerCubicFoot", u::lbm_ft3_to_kg_m3,
                   u::kg_m3_to_lbm_ft3, 1.601846e1},
        Conversion{"Centipoise", u::cp_to_pa_s, u::pa_s_to_cp, 1e-3},
        Conversion{"DynePerCentimetre", u::dyn_cm_to_n_m, u::n_m_to_dyn_cm,
                   1e-3},
        // 1.589873e-1 m³ per barrel over 86 400 s.
        Conversion{"BarrelPerDay", u::stb_per_day_to_m3_per_s,
                   u::m3_per_s_to_stb_per_day, 1.840131e-6},
        // 2.831685e-2 m³ per cubic foot over 86 400 s.
        Conversion{"CubicFootPerDay", u::scf_per_day_to_m3_per_s,
                   u::m3_per_s_to_scf_per_day, 3.277413e-7},
        Conversion{"CubicFootPerBarrel", u::scf_per_stb_to_m3_per_m3,
                   u::m3_per_m3_to_scf_per_stb, 1.781076e-1}),
    [](const auto& row) { return row.param.name; });

TEST(Temperature, FixedPointsOfTheScales) {
  EXPECT_NEAR(u::fahrenheit_to_kelvin(32.0), 273.15, 1e-12);
  EXPECT_NEAR(u::fahrenheit_to_kelvin(-40.0), 233.15, 1e-12);
  EXPECT_NEAR(u::fahrenheit_to_kelvin(212.0), 373.15, 1e-12);
  EXPECT_NEAR(u::kelvin_to_rankine(273.15), 491.67, 1e-12);
  EXPECT_NEAR(u::kelvin_to_fahrenheit(u::fahrenheit_to_kelvin(60.0)), 60.0,
              1e-12);
  EXPECT_NEAR(u::rankine_to_fahrenheit(u::fahrenheit_to_rankine(60.0)), 60.0,
              1e-12);
}

TEST(StandardConditions, OilfieldConstants) {
  // 60 °F is 15.556 °C.
  EXPECT_NEAR(f::kStandardTemperatureK, 288.7056, 1e-4);
  EXPECT_NEAR(f::kStandardPressurePa, 101325.0, 1.0);
  // McCain (1990), table of gas constants: 10.732 psia ft³/(lbmol °R).
  EXPECT_NEAR(f::kGasConstantField, 10.732, 5e-4);
  // Air at 14.696 psia and 60 °F: 0.0763 lbm/ft³ (28.97 lbm over 379.5 ft³
  // per lbmol).
  EXPECT_NEAR(u::kg_m3_to_lbm_ft3(f::kAirDensityStandard), 28.97 / 379.5, 5e-5);
  // Pure water at 60 °F: 999.0 kg/m³ (steam tables).
  EXPECT_NEAR(f::kWaterDensityStandard, 999.0, 0.1);
}

}  // namespace
