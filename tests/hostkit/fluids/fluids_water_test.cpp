// Produced water: salinity from gravity, formation volume factor, density
// and viscosity (McCain, The Properties of Petroleum Fluids, 2nd ed., 1990).
#include <gtest/gtest.h>

#include "fluids/fluid_error.hpp"
#include "fluids/standard_conditions.hpp"
#include "fluids/water.hpp"

namespace {

using namespace pipecorr::fluids;

// Brine of gravity 1.12 at standard conditions: 1.12 x 62.4 = 69.9 lbm/ft³,
// the textbook figure.
TEST(WaterDensity, GravityAtStandardConditions) {
  const double bw =
      mccain_water_fvf(kStandardPressurePsia, kStandardTemperatureF);
  EXPECT_NEAR(bw, 1.0, 1e-4);
  EXPECT_NEAR(water_density_lbm_ft3(1.12, bw), 69.9, 0.05);
}

// McCain's density-salinity relation solved by hand for gravity 1.12:
// 16.12 wt % (sodium chloride brines of that gravity hold about 16-17 %).
TEST(WaterSalinity, FromGravity) {
  EXPECT_NEAR(water_salinity_from_gravity(1.12), 16.116, 1e-3);
  EXPECT_EQ(water_salinity_from_gravity(1.0), 0.0);
  EXPECT_EQ(water_salinity_from_gravity(0.98), 0.0);
  EXPECT_EQ(water_salinity_from_gravity(1.25), 26.0);
  EXPECT_THROW(water_salinity_from_gravity(1.8), InputError);
}

// McCain's Bw worked by hand, and its continuation past the fit's 5000 psia:
// continuous there, still shrinking with pressure, never absurd.
TEST(WaterVolume, McCainFvf) {
  EXPECT_NEAR(mccain_water_fvf(3000.0, 200.0), 1.033938, 1e-6);
  EXPECT_NEAR(mccain_water_fvf(5000.0, 250.0), 1.046181, 1e-6);
  EXPECT_NEAR(mccain_water_fvf(5000.0 + 1e-6, 250.0),
              mccain_water_fvf(5000.0, 250.0), 1e-9);
  for (const double t : {32.0, 250.0, 1000.0}) {
    double previous = mccain_water_fvf(5000.0, t);
    for (double p = 10000.0; p <= 50000.0; p += 10000.0) {
      const double bw = mccain_water_fvf(p, t);
      EXPECT_LT(bw, previous) << p << " " << t;
      EXPECT_GT(bw, 0.5) << p << " " << t;
      previous = bw;
    }
  }
}

// Fresh water at 60 °F and atmospheric pressure is 1.12 cP (steam tables);
// McCain's fit, made for 100-400 °F, stays within 2 % there. Others by hand.
TEST(WaterViscosity, McCain) {
  EXPECT_NEAR(mccain_water_viscosity_cp(14.696, 60.0, 0.0), 1.12, 0.02);
  EXPECT_NEAR(mccain_water_viscosity_cp(14.696, 200.0, 0.0), 0.287562, 1e-6);
  // Brine: A = 109.574 - 8.40564 S + 0.313314 S^2 + 8.72213e-3 S^3 and
  // B = 1.12166 - 2.63951e-2 S + 6.79461e-4 S^2 + 5.47119e-5 S^3
  // - 1.55586e-6 S^4, written out term by term; at 10 wt % A = 65.5710,
  // B = 0.964808, times the pressure factor 1.148241 at 3000 psia.
  EXPECT_NEAR(mccain_water_viscosity_cp(3000.0, 150.0, 10.0), 0.598735, 1e-6);
  EXPECT_NEAR(mccain_water_viscosity_cp(3000.0, 150.0, 20.0), 0.796371, 1e-6);
  // Salt thickens water at every salinity the fit covers.
  EXPECT_GT(mccain_water_viscosity_cp(3000.0, 150.0, 20.0),
            mccain_water_viscosity_cp(3000.0, 150.0, 10.0));
  EXPECT_GT(mccain_water_viscosity_cp(3000.0, 150.0, 10.0),
            mccain_water_viscosity_cp(3000.0, 150.0, 0.0));
  EXPECT_THROW(mccain_water_viscosity_cp(3000.0, 150.0, 30.0), InputError);
  EXPECT_THROW(mccain_water_viscosity_cp(3000.0, 10.0, 1.0), InputError);
}

}  // namespace
