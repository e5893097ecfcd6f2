// Inflow curves, and the operating point where the lift curve meets them.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "numbers/unit_factors.hpp"
#include "well/inflow.hpp"
#include "well/operating_point.hpp"

namespace {

using namespace pipecorr::well;
using pipecorr::units::psia_to_pa;

// Brown, "The Technology of Artificial Lift Methods", vol. 1 (1977), the
// Vogel example: reservoir at 2400 psig, a test of 100 B/D at 1800 psig;
// maximum rate 250 B/D, and 211 B/D at 800 psig.
TEST(Inflow, VogelPublishedExample) {
  const auto vogel =
      VogelInflow::from_test(psia_to_pa(2400), 100, psia_to_pa(1800));
  EXPECT_NEAR(vogel.max_rate(), 250.0, 1e-9);
  EXPECT_NEAR(vogel.rate(psia_to_pa(800)), 211.1, 0.05);
  EXPECT_NEAR(vogel.flowing_pressure(100), psia_to_pa(1800), 1e-6);
}

// Outside 0 <= pwf <= pr the curve runs on along its end tangents, so
// rate and pressure stay inverse to each other and never NaN.
TEST(Inflow, VogelBeyondItsRangeAndStraightLine) {
  const auto vogel = VogelInflow::from_max_rate(2e7, 250);
  for (const double q : {-50.0, 0.0, 120.0, 250.0, 300.0}) {
    EXPECT_NEAR(vogel.rate(vogel.flowing_pressure(q)), q, 1e-9) << q;
  }
  EXPECT_EQ(vogel.flowing_pressure(250), 0.0);
  EXPECT_EQ(vogel.rate(2e7), 0.0);
  EXPECT_NEAR(vogel.flowing_pressure(275), -0.1 / 0.2 * 2e7, 1e-6);
  EXPECT_NEAR(vogel.rate(2.2e7), -1.8 * 0.1 * 250, 1e-9);
  EXPECT_THROW((void)VogelInflow::from_test(2e7, 100, 2e7), WellInputError);

  const StraightLineInflow line(2e7, 5e-6);
  EXPECT_DOUBLE_EQ(line.rate(1.2e7), 40.0);
  EXPECT_DOUBLE_EQ(line.flowing_pressure(40), 1.2e7);
  EXPECT_DOUBLE_EQ(line.absolute_open_flow(), 100.0);
  EXPECT_THROW(StraightLineInflow(2e7, 0), WellInputError);
}

struct CrossingCase {
  std::string name;
  Inflow inflow;
  std::vector<LiftPoint> lift;
  std::vector<Crossing> crossings;  // expected, by rate
  std::string says;                 // in the reason when none is stable
};

void PrintTo(const CrossingCase& c, std::ostream* os) { *os << c.name; }

class OperatingPoints : public ::testing::TestWithParam<CrossingCase> {};

TEST_P(OperatingPoints, FoundOrExplained) {
  const CrossingCase& c = GetParam();
  const OperatingPoint found = find_operating_point(c.lift, c.inflow);
  ASSERT_EQ(found.crossings.size(), c.crossings.size());
  for (std::size_t i = 0; i < c.crossings.size(); ++i) {
    EXPECT_NEAR(found.crossings[i].rate, c.crossings[i].rate, 1e-9);
    EXPECT_NEAR(found.crossings[i].flowing_pressure,
                c.crossings[i].flowing_pressure, 1e-3);
    EXPECT_EQ(found.crossings[i].stable, c.crossings[i].stable);
    EXPECT_EQ(found.crossings[i].segment, c.crossings[i].segment);
    EXPECT_EQ(found.crossings[i].heading, c.crossings[i].heading);
  }
  if (c.says.empty()) {
    ASSERT_TRUE(found.point.has_value());
    EXPECT_EQ(found.point->rate, found.crossings.back().rate);
  } else {
    EXPECT_FALSE(found.point.has_value());
    EXPECT_NE(found.reason.find(c.says), std::string::npos) << found.reason;
  }
}

// Inflow 20 MPa - 0.2 MPa per unit of rate; lift 5 MPa + 0.1 MPa per
// unit: they meet at 50, 10 MPa.
const StraightLineInflow kLine(2e7, 5e-6);
const std::vector<LiftPoint> kRising = {
    {0, 5e6}, {20, 7e6}, {40, 9e6}, {60, 11e6}, {80, 13e6}};
// Inflow 15 MPa - 0.1 MPa per unit; a J-shaped lift curve that falls
// through it at 5 (unstable) and rises through it exactly at the table
// point 40 (stable).
const StraightLineInflow kLine15(1.5e7, 1e-5);
const std::vector<LiftPoint> kJShaped = {{0, 16e6},    {10, 13e6}, {20, 11e6},
                                         {30, 10.5e6}, {40, 11e6}, {60, 13e6},
                                         {80, 16e6}};

INSTANTIATE_TEST_SUITE_P(
    Inflow, OperatingPoints,
    ::testing::Values(
        CrossingCase{"StraightLines", kLine, kRising, {{50, 1e7, true, 2}}, ""},
        CrossingCase{"JShapedTwice",
                     kLine15,
                     kJShaped,
                     {{5, 14.5e6, false, 0, true}, {40, 11e6, true, 4}},
                     ""},
        // Vogel (2400 at no flow, qmax 250) against a flat 1800 on a coarse
        // table: 1800/2400 = 0.75, q/qmax = 1 - 0.15 - 0.45 = 0.4, so the
        // curves meet at 100 itself, not where the chord would (82.019).
        CrossingCase{"VogelCoarseTable",
                     VogelInflow::from_max_rate(2400, 250),
                     {{0, 1800}, {200, 1800}},
                     {{100, 1800, true, 0}},
                     ""},
        // Inflow 20 MPa - 1 MPa per unit, steeper than the lift curve's
        // fall to its minimum at 10: 16 - 0.2 q = 20 - q at 5, 15 MPa,
        // rising through the inflow but left of the minimum (heading), so
        // no operating point.
        CrossingCase{"HeadingOnly",
                     StraightLineInflow(2e7, 1e-6),
                     {{0, 16e6}, {10, 14e6}, {20, 15e6}},
                     {{5, 15e6, true, 0, true}},
                     "heading"},
        CrossingCase{
            "NeverFlows", kLine, {{0, 25e6}, {100, 30e6}}, {}, "does not flow"},
        CrossingCase{"BeyondTheTable",
                     kLine,
                     {{0, 1e6}, {10, 2e6}},
                     {},
                     "extend the lift table"}),
    [](const auto& row) { return row.param.name; });

TEST(Inflow, LiftTableValidation) {
  const std::vector<LiftPoint> backwards = {{0, 1e6}, {20, 2e6}, {10, 3e6}};
  try {
    (void)find_operating_point(backwards, kLine);
    FAIL();
  } catch (const WellInputError& e) {
    EXPECT_EQ(e.row(), 2u);
  }
  const std::vector<LiftPoint> one = {{0, 1e6}};
  EXPECT_THROW((void)find_operating_point(one, kLine), WellInputError);
  const std::vector<LiftPoint> negative = {{-1, 1e6}, {10, 2e6}};
  EXPECT_THROW((void)find_operating_point(negative, kLine), WellInputError);
}

}  // namespace
