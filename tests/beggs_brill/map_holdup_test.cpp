// The flow-pattern map and the holdup stage of the Beggs & Brill core.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "beggs_brill/field_inputs.hpp"
#include "beggs_brill/flow_map.hpp"
#include "beggs_brill/holdup.hpp"
#include "rounding.hpp"

namespace {

using pipecorr::bb::flow_pattern;
using pipecorr::bb::inclined_holdup;
using pipecorr::bb::kL1;
using pipecorr::bb::kL2;
using pipecorr::bb::kL3;
using pipecorr::bb::kL4;
using pipecorr::bb::liquid_holdup;
using pipecorr::bb::map_quantities;
using pipecorr::bb::MapQuantities;
using pipecorr::bb::slope_of;
using pipecorr::bb::transition_weight;
using pipecorr::testing::rounds_to;

constexpr double kAbsent = std::numeric_limits<double>::quiet_NaN();

// A quoted figure and its significant digits; NaN when not quoted.
struct Quote {
  double value = kAbsent;
  int digits = 4;
};

void expect_quote(const char* what, double actual, const Quote& q) {
  if (std::isnan(q.value)) return;
  EXPECT_TRUE(rounds_to(actual, q.value, q.digits)) << what;
}

struct MapCase {
  std::string name;
  float vsl, vsg, pidft, arad, dl, stenl;
  std::int32_t pattern;
  Quote nfr, l1, l2, l3, l4;
  Quote hl;  // final holdup
};

class MapExamples : public ::testing::TestWithParam<MapCase> {};

TEST_P(MapExamples, PatternAndHoldup) {
  const MapCase& c = GetParam();
  const MapQuantities m = map_quantities(c.vsl, c.vsg, c.pidft);
  EXPECT_EQ(flow_pattern(m), c.pattern);
  expect_quote("NFR", m.nfr, c.nfr);
  expect_quote("L1", m.l[kL1], c.l1);
  expect_quote("L2", m.l[kL2], c.l2);
  expect_quote("L3", m.l[kL3], c.l3);
  expect_quote("L4", m.l[kL4], c.l4);
  const auto slope = slope_of(c.vsl, c.dl, c.stenl, c.arad);
  expect_quote("hl", liquid_holdup(c.pattern, m, slope), c.hl);
}

INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, MapExamples,
    ::testing::Values(
        // lambda is 0.4 exactly in single precision: test 5 holds.
        MapCase{"LambdaOnUpperLimit",
                2,
                3,
                0.5f,
                0,
                50,
                30,
                7,
                {1.554},
                {},
                {},
                {0.3781},
                {240.0},
                {0.4745}},
        // lambda equals the single 0.01 and belongs to its upper side.
        MapCase{"LambdaOnLowerLimit",
                1,
                99,
                0.5f,
                0,
                50,
                30,
                8,
                {621.6},
                {78.65},
                {},
                {80.02},
                {},
                {0.04551}},
        MapCase{"TransitionHorizontal",
                0.2f,
                1.8f,
                0.125f,
                0,
                50,
                30,
                6,
                {0.9946},
                {},
                {0.2720},
                {2.8288, 5},
                {},
                {0.2773}},
        MapCase{"TransitionDownhill",
                0.2f,
                1.8f,
                0.125f,
                -0.2f,
                50,
                30,
                6,
                {},
                {},
                {},
                {},
                {},
                {0.0620, 3}},
        MapCase{"IntermittentUphill",
                1,
                1,
                0.25f,
                0.1f,
                62.4f,
                72,
                7,
                {},
                {},
                {},
                {},
                {},
                {0.5708}},
        // Liquid only: raised to lambda = 1 uphill, 0.685 downhill.
        MapCase{"LiquidOnlyUphill",
                5,
                0,
                0.5f,
                0.3f,
                50,
                30,
                8,
                {},
                {},
                {},
                {},
                {},
                {1.0}},
        MapCase{"LiquidOnlyDownhill",
                5,
                0,
                0.5f,
                -0.3f,
                50,
                30,
                8,
                {},
                {},
                {},
                {},
                {},
                {0.685, 6}}),
    pipecorr::testing::ByName{});

struct InclinedCase {
  std::string name;
  float vsl, vsg, pidft, arad, dl, stenl;
  bool intermittent;
  Quote hl0, c, psi, hl;
};

class InclinedHoldupExamples : public ::testing::TestWithParam<InclinedCase> {};

TEST_P(InclinedHoldupExamples, StepsOfTheCorrection) {
  const InclinedCase& k = GetParam();
  const MapQuantities m = map_quantities(k.vsl, k.vsg, k.pidft);
  const auto r = inclined_holdup(m, slope_of(k.vsl, k.dl, k.stenl, k.arad),
                                 k.intermittent);
  expect_quote("hl0", r.hl0, k.hl0);
  expect_quote("C", r.c, k.c);
  expect_quote("psi", r.psi, k.psi);
  expect_quote("hl", r.hl, k.hl);
  // Never below 0.2 lambda nor above 1.
  EXPECT_GE(r.hl, 0.2f * m.lambda);
  EXPECT_LE(r.hl, 1.0f);
}

INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, InclinedHoldupExamples,
    ::testing::Values(
        InclinedCase{"IntermittentAtLambda04",
                     2,
                     3,
                     0.5f,
                     0,
                     50,
                     30,
                     true,
                     {0.5136},
                     {},
                     {1.0, 6},
                     {0.5136}},
        InclinedCase{"TransitionSegregatedPart",
                     0.2f,
                     1.8f,
                     0.125f,
                     0,
                     50,
                     30,
                     false,
                     {},
                     {},
                     {1.0, 6},
                     {0.3212}},
        InclinedCase{"TransitionIntermittentPart",
                     0.2f,
                     1.8f,
                     0.125f,
                     0,
                     50,
                     30,
                     true,
                     {},
                     {},
                     {1.0, 6},
                     {0.2465}},
        // Downhill both patterns share one row, so C and psi agree.
        InclinedCase{"DownhillSegregatedPart",
                     0.2f,
                     1.8f,
                     0.125f,
                     -0.2f,
                     50,
                     30,
                     false,
                     {},
                     {2.0686, 5},
                     {0.3014},
                     {0.0968, 3}},
        InclinedCase{"DownhillIntermittentPart",
                     0.2f,
                     1.8f,
                     0.125f,
                     -0.2f,
                     50,
                     30,
                     true,
                     {},
                     {2.0686, 5},
                     {0.3014},
                     {0.0743, 3}},
        InclinedCase{"IntermittentUphill",
                     1,
                     1,
                     0.25f,
                     0.1f,
                     62.4f,
                     72,
                     true,
                     {},
                     {0.2628},
                     {1.0465, 5},
                     {0.6177}}),
    pipecorr::testing::ByName{});

TEST(TransitionWeight, WorkedExampleAndEnds) {
  MapQuantities m = map_quantities(0.2f, 1.8f, 0.125f);
  EXPECT_TRUE(rounds_to(transition_weight(m), 0.7174, 4));
  m.nfr = m.l[kL2];
  EXPECT_EQ(transition_weight(m), 1.0f);
  m.nfr = m.l[kL3];
  EXPECT_EQ(transition_weight(m), 0.0f);
}

TEST(TransitionWeight, BoundariesThatMeetGiveTheSegregatedEnd) {
  MapQuantities m = map_quantities(0.2f, 1.8f, 0.125f);
  m.l[kL3] = m.l[kL2];
  m.nfr = m.l[kL2];
  EXPECT_EQ(transition_weight(m), 1.0f);
}

TEST(TransitionWeight, BoundariesStayApartAboveTheLowerLimit) {
  // L2 and L3 cross just below lambda = 0.01, where no point is transition;
  // from the single 0.01 upwards L3 - L2 stays clearly positive.
  const MapQuantities m = map_quantities(1, 99, 0.5f);
  ASSERT_EQ(m.lambda, 0.01f);
  EXPECT_GT(m.l[kL3] - m.l[kL2], 0.01f);
  const MapQuantities below = map_quantities(0.99f, 99.01f, 0.5f);
  EXPECT_LT(below.lambda, 0.01f);
  EXPECT_LT(below.l[kL3], below.l[kL2]);
}

// Ties on the boundaries, set exactly on the stored values.
struct TieCase {
  std::string name;
  float lambda_vsl;  // vsl with vsg = 1 - vsl, so lambda = vsl
  int boundary;      // 1 to 4: NFR set equal to L1 .. L4
  std::int32_t pattern;
};

class BoundaryTies : public ::testing::TestWithParam<TieCase> {};

TEST_P(BoundaryTies, OrderAndSenseDecide) {
  const TieCase& t = GetParam();
  MapQuantities m = map_quantities(t.lambda_vsl, 1.0f - t.lambda_vsl, 1.0f);
  m.nfr = m.l[static_cast<std::size_t>(t.boundary - 1)];
  EXPECT_EQ(flow_pattern(m), t.pattern);
}

INSTANTIATE_TEST_SUITE_P(
    Map, BoundaryTies,
    ::testing::Values(
        TieCase{"OnL2IsTransition", 0.1f, 2, pipecorr::bb::kTransition},
        TieCase{"OnL3IsTransition", 0.1f, 3, pipecorr::bb::kTransition},
        // lambda = 0.2: L3 < L1, so NFR = L1 is intermittent (test 4 first).
        TieCase{"OnL1AboveL3IsIntermittent", 0.2f, 1,
                pipecorr::bb::kIntermittent},
        TieCase{"OnL4IsIntermittent", 0.5f, 4, pipecorr::bb::kIntermittent},
        TieCase{"OnL1BelowLowerLimitIsDistributed", 0.005f, 1,
                pipecorr::bb::kDistributed}),
    pipecorr::testing::ByName{});

// The fast map decides NFR against a boundary from logarithms unless NFR
// lies near it. NFR stepped float by float across every boundary (by the
// diameter; mixture velocity 1), for lambda in every band and at the
// limits: the same pattern as the rules with all four plain boundaries,
// ties included.
TEST(MapPoint, DecidesAsTheRulesAcrossEveryBoundary) {
  using pipecorr::bb::Evaluation;
  int ties = 0;
  for (const float vsl :
       {0.005f, 0.0099999f, 0.01f, 0.05f, 0.2f, 0.3999f, 0.4f, 0.5f, 0.9f}) {
    const float vsg = 1.0f - vsl;
    const MapQuantities unit =
        map_quantities(vsl, vsg, 1.0f, Evaluation::kPlain);
    ASSERT_EQ(unit.vm, 1.0f);
    for (const float boundary : unit.l) {
      float pidft =
          static_cast<float>(1.0 / (32.174 * static_cast<double>(boundary)));
      for (int step = 0; step < 20; ++step) pidft = std::nextafter(pidft, 0.0f);
      for (int step = 0; step < 41; ++step) {
        const MapQuantities plain =
            map_quantities(vsl, vsg, pidft, Evaluation::kPlain);
        const auto fast = pipecorr::bb::map_point(vsl, vsg, pidft);
        EXPECT_EQ(fast.pattern, flow_pattern(plain))
            << vsl << " " << std::hexfloat << pidft;
        for (const float l : plain.l) {
          ties += plain.nfr == l;
        }
        pidft = std::nextafter(pidft, 1.0f);
      }
    }
  }
  EXPECT_GT(ties, 20);
}

TEST(Map, BelowLowerLimitOnlySegregatedOrDistributed) {
  for (const float nfr : {0.001f, 1.0f, 10.0f, 100.0f, 1000.0f}) {
    MapQuantities m = map_quantities(0.005f, 0.995f, 1.0f);
    m.nfr = nfr;
    const std::int32_t expected =
        nfr < m.l[kL1] ? pipecorr::bb::kSegregated : pipecorr::bb::kDistributed;
    EXPECT_EQ(flow_pattern(m), expected) << "NFR " << nfr;
  }
}

TEST(Map, NotANumberFitsNoPattern) {
  MapQuantities m = map_quantities(0.2f, 1.8f, 0.125f);
  m.nfr = std::numeric_limits<float>::quiet_NaN();
  EXPECT_EQ(flow_pattern(m), pipecorr::bb::kUndefinedRegime);
}

TEST(Map, LimitsOfTheFractionsAreExactFloats) {
  // 2 / 5 and 1 / 100 land on the float constants themselves.
  EXPECT_EQ(map_quantities(2, 3, 0.5f).lambda, 0.4f);
  EXPECT_EQ(map_quantities(1, 99, 0.5f).lambda, 0.01f);
  // One float below each limit falls on the lower side.
  MapQuantities below = map_quantities(2, 3, 0.5f);
  below.lambda = std::nextafter(0.4f, 0.0f);
  below.nfr = below.l[kL4];  // would be intermittent at lambda >= 0.4
  EXPECT_NE(flow_pattern(below), pipecorr::bb::kTransition);
}

struct SlopeCase {
  std::string name;
  float arad;
  bool downhill;
};

class InclinationSign : public ::testing::TestWithParam<SlopeCase> {};

TEST_P(InclinationSign, ZeroCountsAsUphill) {
  EXPECT_EQ(slope_of(1, 50, 30, GetParam().arad).downhill, GetParam().downhill);
}

INSTANTIATE_TEST_SUITE_P(
    Slope, InclinationSign,
    ::testing::Values(SlopeCase{"Zero", 0.0f, false},
                      SlopeCase{"NegativeZero", -0.0f, false},
                      SlopeCase{"Up", 0.1f, false},
                      SlopeCase{"Down", -0.1f, true},
                      SlopeCase{"SmallestDown", -1e-45f, true}),
    pipecorr::testing::ByName{});

TEST(Holdup, DistributedDownhillHasOnlyTheFinalFactor) {
  // Liquid only: hl0 is raised to lambda = 1, no inclination correction.
  const MapQuantities m = map_quantities(5, 0, 0.5f);
  for (const float arad : {-0.05f, -0.5f, -1.5f}) {
    EXPECT_EQ(
        liquid_holdup(pipecorr::bb::kDistributed, m, slope_of(5, 50, 30, arad)),
        0.685f)
        << arad;
  }
}

TEST(Holdup, UphillNeverBelowLambda) {
  for (const float vsl : {0.05f, 0.3f, 1.0f, 3.0f}) {
    for (const float arad : {0.0f, 0.2f, 1.2f}) {
      const MapQuantities m = map_quantities(vsl, 2.0f, 0.3f);
      const std::int32_t p = flow_pattern(m);
      const float hl = liquid_holdup(p, m, slope_of(vsl, 50, 30, arad));
      EXPECT_GE(hl, m.lambda) << vsl << " " << arad;
      EXPECT_LE(hl, 1.0f);
    }
  }
}

TEST(Holdup, DryGasHasNoLiquid) {
  const MapQuantities m = map_quantities(0, 10, 0.5f);
  EXPECT_EQ(m.lambda, 0.0f);
  ASSERT_EQ(flow_pattern(m), pipecorr::bb::kDistributed);
  EXPECT_EQ(
      liquid_holdup(pipecorr::bb::kDistributed, m, slope_of(0, 50, 30, 0.3f)),
      0.0f);
}

}  // namespace
