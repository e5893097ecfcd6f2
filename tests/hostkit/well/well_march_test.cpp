// The pressure march with synthetic gradients whose answers are known
// exactly: constant, proportional to pressure (friction-like), and an
// isothermal gas column.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <ostream>
#include <string>
#include <vector>

#include "well/march.hpp"

namespace {

using namespace pipecorr::well;

constexpr double kDeg = std::numbers::pi / 180.0;
constexpr auto kProducer = FlowDirection::kUpTheWell;
constexpr auto kInjector = FlowDirection::kDownTheWell;

// Vertical to 500 m, building to horizontal at 2000 m, then climbing to
// 100 degrees at the toe; 2600 m of hole, the tubing narrowing at 800 m.
struct TestWell {
  WellPath path = build_path(std::vector<SurveyStation>{{0, 0, {}, {}},
                                                        {500, 0, {}, {}},
                                                        {1200, 40, {}, {}},
                                                        {2000, 90, {}, {}},
                                                        {2600, 100, {}, {}}});
  PipeSections pipe =
      PipeSections::by_md({{0, 800, 0.1, 1e-5}, {800, 2600, 0.076, 3e-5}});
  TemperatureModel temperature =
      GeothermalTemperature::for_path(path, 288.15, 360.0);
  MarchWell well() const { return {path, pipe, temperature}; }
};

GradientResult constant(const PointConditions& c) {
  GradientResult r;
  r.gradient = 5000.0;
  r.recorded[0] = c.fi;
  r.recorded[1] = c.diameter;
  return r;
}

struct ConstantCase {
  std::string name;
  FlowDirection flow;
  KnownEnd known;
  double known_pressure, other_pressure;
};

void PrintTo(const ConstantCase& c, std::ostream* os) { *os << c.name; }

class ConstantGradient : public ::testing::TestWithParam<ConstantCase> {};

// 5000 Pa/m over 2600 m of hole: 13 MPa between 2 and 15 MPa, falling
// along the flow, linear in md.
TEST_P(ConstantGradient, ExactAndLinearInMd) {
  const ConstantCase& c = GetParam();
  const TestWell w;
  const MarchResult r =
      march(w.well(), c.known, c.known_pressure, c.flow, constant);
  ASSERT_TRUE(r.completed()) << r.reason;
  EXPECT_NEAR(r.last_pressure, c.other_pressure, 1e-5);
  const double top =
      c.known == KnownEnd::kWellhead ? c.known_pressure : c.other_pressure;
  const double per_metre = c.flow == kProducer ? 5000.0 : -5000.0;
  std::vector<RowKind> kinds;
  for (const MarchRow& row : r.rows) {
    EXPECT_NEAR(row.pressure, top + per_metre * row.md, 1e-5) << row.md;
    EXPECT_EQ(row.recorded[1], row.diameter);
    // A row has the pipe of the step that ended at it.
    const bool upper =
        row.md < 800 || (row.md == 800 && c.known == KnownEnd::kWellhead);
    EXPECT_EQ(row.diameter, upper ? 0.1 : 0.076) << row.md;
    kinds.push_back(row.kind);
  }
  // Every station and the pipe change; a steady gradient settles at once.
  const auto s = RowKind::kSurveyStation, p = RowKind::kPipeChange;
  std::vector<RowKind> expected = {s, s, p, s, s, s};
  if (c.known == KnownEnd::kBottomHole) {
    std::reverse(expected.begin(), expected.end());
  }
  EXPECT_EQ(kinds, expected);
  EXPECT_EQ(r.evaluations, r.steps + r.rows.size());
}

INSTANTIATE_TEST_SUITE_P(
    March, ConstantGradient,
    ::testing::Values(
        ConstantCase{"ProducerDown", kProducer, KnownEnd::kWellhead, 2e6, 15e6},
        ConstantCase{"ProducerUp", kProducer, KnownEnd::kBottomHole, 15e6, 2e6},
        ConstantCase{"InjectorDown", kInjector, KnownEnd::kWellhead, 15e6, 2e6},
        ConstantCase{"InjectorUp", kInjector, KnownEnd::kBottomHole, 2e6,
                     15e6}),
    [](const auto& row) { return row.param.name; });

// fi belongs to the flow: a producer sees the same angle marched down or
// up, an injector its negative, each interval its chord's angle.
TEST(March, FiFollowsTheFlowNotTheMarch) {
  const TestWell w;
  const auto stations = w.path.stations();
  for (const FlowDirection flow : {kProducer, kInjector}) {
    for (const KnownEnd known : {KnownEnd::kWellhead, KnownEnd::kBottomHole}) {
      std::vector<PointConditions> seen;
      const auto r =
          march(w.well(), known, 1e7, flow, [&](const PointConditions& c) {
            seen.push_back(c);
            return GradientResult{};
          });
      ASSERT_TRUE(r.completed()) << r.reason;
      bool downhill = false;
      for (const PointConditions& c : seen) {
        for (std::size_t i = 1; i < stations.size(); ++i) {
          const auto& a = stations[i - 1];
          const auto& b = stations[i];
          if (!(c.md > a.md && c.md < b.md)) continue;
          const double below_horizontal =
              90.0 - std::acos((b.tvd - a.tvd) / (b.md - a.md)) / kDeg;
          const double uphill =
              flow == kProducer ? below_horizontal : -below_horizontal;
          EXPECT_NEAR(c.fi, uphill, 1e-9) << c.md;
          downhill = downhill || c.fi < 0;
        }
      }
      // The producer flows down the toe-up stretch, the injector down
      // everywhere else.
      EXPECT_TRUE(downhill);
    }
  }
}

// Isothermal gas standing in the well (density proportional to pressure):
// p = p_top exp(k (tvd - tvd_top)), k = M g / (R T), whatever the path.
TEST(March, GasColumnMatchesTheExponential) {
  const TestWell w;
  const double k = 0.016 * 9.80665 / (8.314462618 * 300.0);
  auto gas = [k](const PointConditions& c) {
    GradientResult r;
    r.gradient = k * c.pressure * std::sin(c.fi * kDeg);
    return r;
  };
  const double p_top = 1e7;
  const double exact =
      p_top * std::exp(k * (w.path.stations().back().tvd - w.path.top_tvd()));
  MarchOptions options;
  const auto down =
      march(w.well(), KnownEnd::kWellhead, p_top, kProducer, gas, options);
  ASSERT_TRUE(down.completed()) << down.reason;
  EXPECT_NEAR(down.last_pressure / exact - 1, 0, 1e-7);
  options.max_step /= 2;
  const auto finer =
      march(w.well(), KnownEnd::kWellhead, p_top, kProducer, gas, options);
  EXPECT_NEAR(finer.last_pressure / down.last_pressure - 1, 0, 1e-7);
  // Back up from the answer: the rule is symmetric, so only the step
  // tolerance (1 Pa by default) is left between the ends.
  const auto up = march(w.well(), KnownEnd::kBottomHole, down.last_pressure,
                        kProducer, gas);
  ASSERT_TRUE(up.completed()) << up.reason;
  EXPECT_NEAR(up.last_pressure, p_top, 1.0);
}

// dp/dL = k p, k = 1e-3 /m, over 1000 m: p = p0 exp(-1). Each step must
// satisfy its midpoint relation exactly, which no single explicit
// evaluation does (Euler misses by z^2/2, the explicit midpoint by z^3/4,
// z = k L = 0.03), and the march's error must fall as the square of the
// step: 34 steps of 29.4 m, then 67 of 14.9 m, (67/34)^2 = 3.883.
TEST(March, FrictionLikeGradientIsSecondOrder) {
  const auto path =
      build_path(std::vector<SurveyStation>{{0, 0, {}, {}}, {1000, 0, {}, {}}});
  const auto pipe = PipeSections::whole_well(0.1, 0);
  const TemperatureModel temperature = TemperatureProfile({{0, 300}});
  const MarchWell well{path, pipe, temperature};
  const double k = 1e-3, p0 = 2e7;
  auto friction = [k](const PointConditions& c) {
    GradientResult r;
    r.gradient = k * c.pressure;
    return r;
  };
  double error[2];
  for (int halve = 0; halve < 2; ++halve) {
    MarchOptions options;
    options.max_step = halve ? 15.0 : 30.0;
    options.rows_at_step_ends = true;
    // Settle each step far below its discretisation error.
    options.relative_tolerance = 1e-9;
    const auto r =
        march(well, KnownEnd::kBottomHole, p0, kProducer, friction, options);
    ASSERT_TRUE(r.completed()) << r.reason;
    for (std::size_t i = 1; i < r.rows.size(); ++i) {
      const double a = r.rows[i - 1].pressure, b = r.rows[i].pressure;
      const double length = r.rows[i - 1].md - r.rows[i].md;
      EXPECT_NEAR(b, a - k * length * 0.5 * (a + b), 1e-7 * a) << i;
    }
    error[halve] = r.last_pressure / (p0 * std::exp(-1.0)) - 1;
  }
  EXPECT_LT(std::fabs(error[0]), 1e-4);
  EXPECT_NEAR(error[0] / error[1], 3.883, 0.01);
}

// Rows at step ends are extra evaluations only: every station's row is
// the same, bit for bit, with them or without, on a gradient whose steps
// take several evaluations (the first guess matters), marched either way.
TEST(March, RowsAtStepEndsChangeNoPressure) {
  const TestWell w;
  auto friction = [](const PointConditions& c) {
    GradientResult r;
    r.gradient = 2e-3 * c.pressure + 100.0 * std::sin(c.fi * kDeg);
    return r;
  };
  for (const KnownEnd known : {KnownEnd::kWellhead, KnownEnd::kBottomHole}) {
    MarchOptions options;
    options.max_step = 37.0;
    const auto plain =
        march(w.well(), known, 1e7, kProducer, friction, options);
    options.rows_at_step_ends = true;
    const auto every =
        march(w.well(), known, 1e7, kProducer, friction, options);
    ASSERT_TRUE(plain.completed() && every.completed());
    std::vector<MarchRow> kept;
    for (const auto& row : every.rows) {
      if (row.kind != RowKind::kStepEnd) kept.push_back(row);
    }
    ASSERT_EQ(kept.size(), plain.rows.size());
    ASSERT_GT(every.rows.size(), 2 * plain.rows.size());
    for (std::size_t i = 0; i < kept.size(); ++i) {
      EXPECT_EQ(kept[i].md, plain.rows[i].md);
      EXPECT_EQ(kept[i].pressure, plain.rows[i].pressure) << kept[i].md;
      EXPECT_EQ(kept[i].step_iterations, plain.rows[i].step_iterations);
    }
    EXPECT_EQ(every.last_pressure, plain.last_pressure);
    EXPECT_EQ(every.steps, plain.steps);
  }
}

// A pipe section that ends at a survey station adds no node: the station
// is the boundary, with one row, the upper pipe's (the step that ends
// there), and the next step has the lower pipe.
TEST(March, ASectionEndingAtAStationGivesOneRow) {
  const auto path = build_path(std::vector<SurveyStation>{
      {0, 0, {}, {}}, {500, 0, {}, {}}, {900, 0, {}, {}}});
  const auto pipe =
      PipeSections::by_md({{0, 500, 0.1, 0}, {500, 900, 0.076, 0}});
  const TemperatureModel temperature = TemperatureProfile({{0, 300}});
  const auto r = march({path, pipe, temperature}, KnownEnd::kWellhead, 2e6,
                       kProducer, constant);
  ASSERT_TRUE(r.completed()) << r.reason;
  std::vector<double> mds, diameters;
  for (const auto& row : r.rows) {
    mds.push_back(row.md);
    diameters.push_back(row.diameter);
  }
  EXPECT_EQ(mds, (std::vector<double>{0, 500, 900}));
  EXPECT_EQ(diameters, (std::vector<double>{0.1, 0.1, 0.076}));
  // 5000 Pa/m: 2 MPa plus 4.5 MPa over 900 m.
  EXPECT_NEAR(r.last_pressure, 6.5e6, 1e-6);
}

struct StopCase {
  std::string name;
  FlowDirection flow;
  GradientFunction gradient;
  MarchOutcome outcome;
  std::string says;
};

void PrintTo(const StopCase& c, std::ostream* os) { *os << c.name; }

class MarchStops : public ::testing::TestWithParam<StopCase> {};

TEST_P(MarchStops, WithTheRowsSoFarAndAReason) {
  const StopCase& c = GetParam();
  const TestWell w;
  MarchOptions options;
  options.max_iterations = 5;
  const auto r =
      march(w.well(), KnownEnd::kWellhead, 1e7, c.flow, c.gradient, options);
  EXPECT_EQ(r.outcome, c.outcome);
  EXPECT_NE(r.reason.find(c.says), std::string::npos) << r.reason;
  ASSERT_FALSE(r.rows.empty());
  EXPECT_LT(r.rows.back().md, 2600);
  EXPECT_GE(r.last_md, r.rows.back().md);
}

// Past 600 m of md.
GradientResult fails_deep(const PointConditions& c, GradientResult deep) {
  if (c.md < 600) return GradientResult{};
  return deep;
}

INSTANTIATE_TEST_SUITE_P(
    March, MarchStops,
    ::testing::Values(
        StopCase{"CallbackFails", kProducer,
                 [](const PointConditions& c) {
                   return fails_deep(c, {false, 0, 0, 0, "beyond the map", {}});
                 },
                 MarchOutcome::kCallbackFailed, "failed: beyond the map"},
        StopCase{"NanGradient", kProducer,
                 [](const PointConditions& c) {
                   return fails_deep(c, {true, std::nan(""), 0, 0, "", {}});
                 },
                 MarchOutcome::kBadValue, "gradient that is not a finite"},
        StopCase{"NanHoldup", kProducer,
                 [](const PointConditions& c) {
                   return fails_deep(c, {true, 0, std::nan(""), 0, "", {}});
                 },
                 MarchOutcome::kBadValue, "holdup"},
        // An injector losing 10 kPa per metre from 10 MPa: empty by 1000 m.
        StopCase{"PressureRunsOut", kInjector,
                 [](const PointConditions&) {
                   return GradientResult{true, 1e4, 0, 0, "", {}};
                 },
                 MarchOutcome::kPressureNotPositive, "falls to zero"},
        StopCase{"NeverSettles", kProducer,
                 [calls = 0](const PointConditions&) mutable {
                   return GradientResult{true, (++calls % 2) * 1e4, 0, 0, "",
                                         {}};
                 },
                 MarchOutcome::kNotConverged, "did not settle in 5"}),
    [](const auto& row) { return row.param.name; });

TEST(March, RefusesWhatItCannotMarch) {
  const TestWell w;
  const GradientFunction g = constant;
  MarchOptions tiny;
  tiny.max_step = 0.02;  // 130 000 steps
  EXPECT_THROW(
      (void)march(w.well(), KnownEnd::kWellhead, 1e7, kProducer, g, tiny),
      WellInputError);
  EXPECT_THROW((void)march(w.well(), KnownEnd::kWellhead, 0.0, kProducer, g),
               WellInputError);
  EXPECT_THROW((void)march(w.well(), KnownEnd::kWellhead, 1e7, kProducer,
                           GradientFunction{}),
               WellInputError);
  const auto short_pipe = PipeSections::by_md({{0, 2500, 0.1, 0}});
  EXPECT_THROW((void)march({w.path, short_pipe, w.temperature},
                           KnownEnd::kWellhead, 1e7, kProducer, g),
               WellInputError);
}

}  // namespace

// A march that stops inside an interval keeps a row where it stopped, and
// its reason speaks the caller's units. A vertical well of one 1000 m
// interval marched up from 2.5 MPa at 10 kPa/m in 100 m steps reaches
// 1.5 MPa at 900 m and 0.5 MPa at 800 m; the next step would end at
// -0.5 MPa.
struct StopPlaceCase {
  std::string name;
  GradientFunction gradient;
  MarchOutcome outcome;
  std::vector<double> row_mds;  // m
  double last_md;               // m, where the pressure is last known
  double last_pressure;         // Pa
  std::string reason;
};

void PrintTo(const StopPlaceCase& c, std::ostream* os) { *os << c.name; }

class MarchStopPlace : public ::testing::TestWithParam<StopPlaceCase> {};

TEST_P(MarchStopPlace, KeepsTheStationItReachedAndSaysWhereInTheCallersUnits) {
  const StopPlaceCase& c = GetParam();
  const WellPath path =
      build_path(std::vector<SurveyStation>{{0, 0, {}, {}}, {1000, 0, {}, {}}});
  const PipeSections pipe = PipeSections::whole_well(0.1, 0.0);
  const TemperatureModel temperature =
      GeothermalTemperature::for_path(path, 300.0, 330.0);
  MarchOptions options;
  options.max_step = 100.0;
  options.text.depth = [](double m) {
    return std::to_string(std::lround(m / 0.3048)) + " ft";
  };
  options.text.pressure = [](double pa) {
    return std::to_string(std::lround(pa / 1e3)) + " kPa";
  };
  const auto r = march({path, pipe, temperature}, KnownEnd::kBottomHole, 2.5e6,
                       kProducer, c.gradient, options);
  EXPECT_EQ(r.outcome, c.outcome);
  EXPECT_EQ(r.reason, c.reason);
  std::vector<double> mds;
  for (const auto& row : r.rows) mds.push_back(row.md);
  ASSERT_EQ(mds.size(), c.row_mds.size());
  for (std::size_t k = 0; k < mds.size(); ++k) {
    EXPECT_NEAR(mds[k], c.row_mds[k], 1e-9) << k;
  }
  EXPECT_NEAR(r.last_md, c.last_md, 1e-9);
  EXPECT_NEAR(r.last_tvd, c.last_md, 1e-9);  // vertical
  EXPECT_NEAR(r.last_pressure, c.last_pressure, 1e-6);
  if (r.rows.size() == 2) {
    EXPECT_EQ(r.rows[1].kind, RowKind::kStepEnd);
    EXPECT_NEAR(r.rows[1].pressure, c.last_pressure, 1e-6);
  }
}

INSTANTIATE_TEST_SUITE_P(
    March, MarchStopPlace,
    ::testing::Values(
        // 800 m = 2625 ft, 700 m = 2297 ft.
        StopPlaceCase{"PressureRunsOut",
                      [](const PointConditions&) {
                        return GradientResult{true, 1e4, 0, 0, "", {}};
                      },
                      MarchOutcome::kPressureNotPositive,
                      {1000.0, 800.0},
                      800.0,
                      0.5e6,
                      "the pressure falls to zero or below between md 2625 ft "
                      "and 2297 ft: the well cannot carry this flow from this "
                      "pressure"},
        // Fails above 950 m: at the second step's midpoint (850 m = 2789
        // ft, at the first guess's 1.5 - 0.5 = 1 MPa) and at 900 m, where
        // the march stopped but no row can be made; the reason stays the
        // midpoint's.
        StopPlaceCase{"CallbackFailsBeyond",
                      [](const PointConditions& c) {
                        if (c.md < 950.0) {
                          return GradientResult{false, 0, 0, 0, "no fluid", {}};
                        }
                        return GradientResult{true, 1e4, 0, 0, "", {}};
                      },
                      MarchOutcome::kCallbackFailed,
                      {1000.0},
                      900.0,
                      1.5e6,
                      "at md 2789 ft, pressure 1000 kPa: the gradient "
                      "callback failed: no fluid"}),
    [](const auto& row) { return row.param.name; });
