// The whole chain on real wells through the pipecorr plug-in: black-oil
// fluid at each point, the correlation, the march. Checked against a
// published well, against itself marched both ways, and for mass.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "cases/well_case.hpp"
#include "plugin/correlation.hpp"
#include "plugin/plugin_library.hpp"
#include "studies/lift_curves.hpp"
#include "studies/well_traverse.hpp"

namespace pipecorr::hostkit {
namespace {

constexpr double kFt = 0.3048;
constexpr double kIn = 0.0254;
constexpr double kPsi = 6894.757293168361;
constexpr double kStbPerDay = 0.158987294928 / 86400.0;  // std m3/s
constexpr double kScfPerStb = 0.028316846592 / 0.158987294928;

double kelvin(double fahrenheit) { return (fahrenheit - 32.0) / 1.8 + 273.15; }

// The vertical well of Takacs' worked example (Takacs, "Gas Lift Manual",
// PennWell 2005, the Beggs & Brill example of its multiphase-flow
// chapter): 3 700 ft of 2.441 in tubing, 375 STB/d of 41.06 API oil, no
// water, GLR 480 scf/STB, gas gravity 0.916, wellhead 346.6 psia, 107.2 F
// average. The book's gradients at the two ends, 0.170 and 0.312 psi/ft,
// give a drop of about 910 psi over the well; fluids, correlation and
// march together must land within 100 psi of it (an order-of-magnitude
// check of the whole chain, not of any one piece).
WellCase takacs_well() {
  WellCase c;
  c.title = "Takacs vertical well";
  c.source = "takacs.case";
  c.survey = {{0.0, 0.0, {}, {}}, {3700.0 * kFt, 0.0, {}, {}}};
  c.pipe = well::PipeSections::whole_well(2.441 * kIn, 0.0003 * kIn);
  c.temperature.profile = {{0.0, kelvin(107.2)}};
  c.fluid.api = 41.06;
  c.fluid.gas_gravity = 0.916;
  c.rates.oil = 375.0 * kStbPerDay;
  c.rates.water = 0.0;
  c.rates.gas = 480.0 * kScfPerStb * c.rates.oil;
  c.known_end = well::KnownEnd::kWellhead;
  c.known_pressure = 346.6 * kPsi;
  return c;
}

class RealWell : public ::testing::Test {
 protected:
  PluginLibrary library_{PIPECORR_PLUGIN};
  CorrelationSet correlations_{library_};
  const Correlation& bb3_ = correlations_.choose("BB_3");
};

TEST_F(RealWell, TakacsVerticalWellDropsAbout900Psi) {
  const WellTraverse traverse = traverse_well(bb3_, takacs_well());
  ASSERT_TRUE(traverse.completed) << traverse.stopped;
  const double drop = (traverse.answer - 346.6 * kPsi) / kPsi;
  EXPECT_NEAR(drop, 910.0, 100.0);
  // Top first, from the wellhead pressure given.
  EXPECT_EQ(traverse.stations.front().md, 0.0);
  EXPECT_DOUBLE_EQ(traverse.stations.front().pressure, 346.6 * kPsi);
}

// What enters at the bottom leaves at the top: the in-situ liquid and gas
// mass fluxes add up to the same mass rate at every station.
TEST_F(RealWell, MassIsConservedAlongTheWell) {
  const WellCase c = takacs_well();
  const WellTraverse traverse = traverse_well(bb3_, c);
  ASSERT_TRUE(traverse.completed) << traverse.stopped;
  const double area = std::numbers::pi * std::pow(2.441 * kIn, 2) / 4.0;
  const double mass = traverse.stations.front().mass_flow;
  for (const WellStation& s : traverse.stations) {
    EXPECT_NEAR((s.rol * s.usl + s.rog * s.usg) * area, mass, 1e-9 * mass)
        << "md " << s.md;
  }
}

// Down from the wellhead, then up from the bottom-hole pressure found:
// back to the wellhead pressure within the march's tolerance.
TEST_F(RealWell, TopDownThenBottomUpReturnsTheStart) {
  WellCase c = takacs_well();
  const WellTraverse down = traverse_well(bb3_, c);
  ASSERT_TRUE(down.completed) << down.stopped;
  c.known_end = well::KnownEnd::kBottomHole;
  c.known_pressure = down.answer;
  const WellTraverse up = traverse_well(bb3_, c);
  ASSERT_TRUE(up.completed) << up.stopped;
  EXPECT_NEAR(up.answer, 346.6 * kPsi, 0.1 * kPsi);
  EXPECT_EQ(up.stations.front().md, 0.0);  // top first either way
}

TEST_F(RealWell, LiftCurvesRiseWithRateAndCrossTheInflow) {
  WellCase c = takacs_well();
  for (const double q : {200.0, 400.0, 800.0, 1600.0}) {
    c.lift.liquid_rates.push_back(q * kStbPerDay);
  }
  c.lift.gas_liquid_ratios = {300.0 * kScfPerStb, 900.0 * kScfPerStb};
  c.lift.reservoir_pressure = 2000.0 * kPsi;
  c.lift.productivity_index = 1.0 * kStbPerDay / kPsi;  // 1 STB/d/psi
  const LiftCurves curves = compute_lift_curves(bb3_, c);
  ASSERT_EQ(curves.curves.size(), 2U);
  for (const LiftCurve& curve : curves.curves) {
    ASSERT_EQ(curve.points.size(), 4U);
    ASSERT_TRUE(curve.operating_point.has_value());
    const double q = curve.operating_point->rate;
    // On the inflow line: pwf = pr - q / J.
    EXPECT_NEAR(curve.operating_point->flowing_pressure,
                2000.0 * kPsi - q / (1.0 * kStbPerDay / kPsi), 1.0);
  }
  // More gas lightens the column: less pressure needed at the low rate.
  EXPECT_LT(curves.curves[1].points[0].flowing_pressure,
            curves.curves[0].points[0].flowing_pressure);
}

// The bundled field well (examples/field_well.case): halving the longest
// step moves the bottom-hole pressure by less than 0.1 psi, and marching
// back up from it returns the wellhead pressure within the case's
// tolerance.
TEST_F(RealWell, TheBundledWellIsResolvedAndReversible) {
  WellCase c = load_well_case(EXAMPLES_DIR "/field_well.case");
  const WellTraverse coarse = traverse_well(bb3_, c);
  ASSERT_TRUE(coarse.completed) << coarse.stopped;
  c.march.max_step /= 2.0;
  const WellTraverse fine = traverse_well(bb3_, c);
  ASSERT_TRUE(fine.completed) << fine.stopped;
  EXPECT_LT(std::abs(fine.answer - coarse.answer), 0.1 * kPsi)
      << (fine.answer - coarse.answer) / kPsi << " psi";

  WellCase up = load_well_case(EXAMPLES_DIR "/field_well.case");
  up.known_end = well::KnownEnd::kBottomHole;
  up.known_pressure = coarse.answer;
  const WellTraverse back = traverse_well(bb3_, up);
  ASSERT_TRUE(back.completed) << back.stopped;
  EXPECT_NEAR(back.answer, 150.0 * kPsi, 0.1 * kPsi);
}

}  // namespace
}  // namespace pipecorr::hostkit
