// Gas-liquid surface tension of oil (Baker & Swerdloff) and water (Hough,
// Rzasa & Wood), as given in Brill & Mukherjee, Multiphase Flow in Wells
// (1999), ch. 2; expectations worked by hand from those fits.
#include <gtest/gtest.h>

#include "fluids/fluid_error.hpp"
#include "fluids/surface_tension.hpp"

namespace {

using namespace pipecorr::fluids;

TEST(OilTension, DeadOilLinesAndBetween) {
  // 35 °API: 39 - 0.2571 * 35 at 68 °F, 37.5 - 0.2571 * 35 at 100 °F.
  EXPECT_NEAR(baker_swerdloff_dead_oil_tension(68.0, 35.0), 30.0015, 1e-9);
  EXPECT_NEAR(baker_swerdloff_dead_oil_tension(100.0, 35.0), 28.5015, 1e-9);
  EXPECT_NEAR(baker_swerdloff_dead_oil_tension(84.0, 35.0), 29.2515, 1e-9);
  EXPECT_NEAR(baker_swerdloff_dead_oil_tension(40.0, 35.0), 30.0015, 1e-9);
  EXPECT_NEAR(baker_swerdloff_dead_oil_tension(250.0, 35.0), 28.5015, 1e-9);
}

TEST(OilTension, GasInSolutionLowersIt) {
  // 1 - 0.024 * 1000^0.45 = 0.462707.
  EXPECT_NEAR(baker_swerdloff_live_oil_tension(30.0, 1000.0), 30 * 0.462707,
              1e-5);
  // Past about 4000 psia the fit reaches zero; the texts hold 1 dyn/cm.
  EXPECT_EQ(baker_swerdloff_live_oil_tension(30.0, 5000.0), 1.0);
  EXPECT_THROW(baker_swerdloff_live_oil_tension(30.0, 0.0), InputError);
}

TEST(WaterTension, CurvesAndBetween) {
  // Water against air at 74 °F is 72 dyn/cm; the 74 °F curve gives 72.17.
  EXPECT_NEAR(water_gas_tension(74.0, 14.696), 72.1693, 1e-4);
  EXPECT_NEAR(water_gas_tension(280.0, 14.696), 52.4194, 1e-4);
  // 177 °F lies half-way between the curves: (59.2747 + 39.7225) / 2.
  EXPECT_NEAR(water_gas_tension(177.0, 2000.0), 49.4986, 1e-4);
  EXPECT_EQ(water_gas_tension(300.0, 50000.0), 1.0);
  EXPECT_THROW(water_gas_tension(20.0, 1000.0), InputError);
}

}  // namespace
