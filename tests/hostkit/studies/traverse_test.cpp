// The pipeline traverse (through the well march) against cases computed by
// hand with the test plug-in (LIN_3: 100/diam + 10*fi Pa/m; PRES_3: p/1000
// Pa/m), its limits, and the case and profile readers' error cases.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "cases/traverse_case.hpp"
#include "plugin/correlation.hpp"
#include "plugin/plugin_library.hpp"
#include "studies/traverse.hpp"
#include "text/error.hpp"

namespace pipecorr::hostkit {
namespace {

TraverseCase two_segment_case() {
  TraverseCase pipe;
  pipe.inlet_pressure = 10e5;
  pipe.liquid_rate = 5.0;
  pipe.gas_rate = 0.1;
  pipe.liquid_density = 1000.0;
  pipe.liquid_viscosity = 1e-3;
  pipe.surface_tension = 0.07;
  pipe.gas_density = 10.0;
  pipe.reference_pressure = 10e5;
  pipe.gas_viscosity = 1.8e-5;
  // 100 m at 10 degrees in 0.1 m pipe: 1000 + 100 = 1100 Pa/m.
  // 200 m at -5 degrees in 0.2 m pipe: 500 - 50 = 450 Pa/m.
  pipe.profile = {{100.0, 10.0, 0.1, 1e-5}, {200.0, -5.0, 0.2, 1e-5}};
  return pipe;
}

class TraverseWithTestPlugin : public ::testing::Test {
 protected:
  PluginLibrary library_{MINI_PLUGIN};
  CorrelationSet correlations_{library_};
  const Correlation& lin_ = correlations_.choose("LIN_3");
};

TEST_F(TraverseWithTestPlugin, MatchesTheHandComputedTwoSegmentCase) {
  const auto traverse = run_traverse(lin_, two_segment_case(), 50.0);
  ASSERT_TRUE(traverse.stopped.empty()) << traverse.stopped;
  struct Expected {
    double distance;
    std::size_t segment;
    double pressure;
  };
  // The inlet, then the end of each step: 2 of 50 m in segment 1, 4 in
  // segment 2. A row belongs to the step that ended at it, so the row at
  // 100 m is segment 1's, with its gradient.
  const std::vector<Expected> expected{
      {0.0, 1, 1000000.0},  {50.0, 1, 945000.0},  {100.0, 1, 890000.0},
      {150.0, 2, 867500.0}, {200.0, 2, 845000.0}, {250.0, 2, 822500.0},
      {300.0, 2, 800000.0}};
  ASSERT_EQ(traverse.stations.size(), expected.size());
  const auto pipe = two_segment_case();
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const auto& s = traverse.stations[i];
    EXPECT_DOUBLE_EQ(s.md, expected[i].distance) << "station " << i;
    EXPECT_EQ(segment_at(pipe, s.md), expected[i].segment) << "station " << i;
    EXPECT_NEAR(s.pressure, expected[i].pressure, 1e-6) << "station " << i;
  }
  EXPECT_NEAR(traverse.stations[2].gradient, 1100.0, 1e-9);
  EXPECT_NEAR(traverse.stations[3].gradient, 450.0, 1e-9);
  // Segment ends are stations of the path; the rows between, step ends.
  EXPECT_EQ(traverse.stations[2].kind, well::RowKind::kSurveyStation);
  EXPECT_EQ(traverse.stations[1].kind, well::RowKind::kStepEnd);
  EXPECT_EQ(traverse.stations[6].kind, well::RowKind::kSurveyStation);
}

TEST_F(TraverseWithTestPlugin, RecomputesGasFromTheLocalPressure) {
  const auto traverse = run_traverse(lin_, two_segment_case(), 50.0);
  const auto& outlet = traverse.stations.back();
  // Isothermal gas: 10 kg/m3 at 10 bar is 8 kg/m3 at the outlet's 8 bar.
  const double area = std::numbers::pi * 0.2 * 0.2 / 4.0;
  EXPECT_NEAR(outlet.rog, 8.0, 1e-12);
  EXPECT_NEAR(outlet.usg, 0.1 / (8.0 * area), 1e-12);
  EXPECT_NEAR(outlet.usl, 5.0 / (1000.0 * area), 1e-12);
  EXPECT_NEAR(outlet.holdup, outlet.usl / (outlet.usl + outlet.usg), 1e-12);
  EXPECT_EQ(outlet.pattern, 5);  // downhill in the last segment
  // Up 100 sin 10 deg, then down 200 sin 5 deg (tvd is depth, minus the
  // elevation).
  EXPECT_NEAR(-outlet.tvd,
              100.0 * std::sin(10.0 * std::numbers::pi / 180.0) -
                  200.0 * std::sin(5.0 * std::numbers::pi / 180.0),
              1e-9);
}

TEST_F(TraverseWithTestPlugin, StopsWhereTheCorrelationReportsAnError) {
  auto pipe = two_segment_case();
  pipe.inlet_pressure = 1.5e5;  // 1000 Pa/m on the level: 1 bar after 50 m
  pipe.profile = {{100.0, 0.0, 0.1, 0.0}};
  const auto traverse = run_traverse(lin_, pipe, 10.0);
  EXPECT_FALSE(traverse.completed);
  // The step from 50 m guesses 1000 Pa/m on: 0.9 bar at 60 m, so its
  // midpoint (55 m) is at 0.95 bar, where the correlation gives up.
  EXPECT_EQ(traverse.stopped,
            "at md 55.0 m, pressure 0.950 bar: the gradient callback failed: "
            "the correlation reports error 3: pressure below 1 bar");
  // The last good station is the start of the failed step.
  EXPECT_DOUBLE_EQ(traverse.stations.back().md, 50.0);
  EXPECT_DOUBLE_EQ(traverse.stations.back().pressure, 1e5);
  ASSERT_TRUE(traverse.stopped_at);
  EXPECT_DOUBLE_EQ(traverse.stopped_at->md, 50.0);
}

TEST_F(TraverseWithTestPlugin,
       StopsWhereAStepsGuessLeavesTheCorrelationsRange) {
  auto pipe = two_segment_case();
  pipe.inlet_pressure = 1.5e5;
  pipe.profile = {{200.0, 0.0, 0.1, 0.0}};
  const auto traverse = run_traverse(lin_, pipe, 200.0);
  // 1000 Pa/m over 200 m from 1.5 bar: the first guess ends at -0.5 bar,
  // its midpoint at 0.5 bar, below what LIN_3 computes; a level pipe that
  // keeps its gradient would reach zero at 150 m either way.
  EXPECT_FALSE(traverse.completed);
  EXPECT_NE(traverse.stopped.find("pressure below 1 bar"), std::string::npos)
      << traverse.stopped;
  ASSERT_EQ(traverse.stations.size(), 1U);
}

// 1000 Pa/m over one 350 m step from 3 bar: the midpoint keeps 1.25 bar,
// where LIN_3 computes, but the end falls to -0.5 bar.
TEST_F(TraverseWithTestPlugin, StopsWhenThePressureWouldFallToZero) {
  auto pipe = two_segment_case();
  pipe.inlet_pressure = 3e5;
  pipe.profile = {{350.0, 0.0, 0.1, 0.0}};
  const auto traverse = run_traverse(lin_, pipe, 350.0);
  EXPECT_FALSE(traverse.completed);
  EXPECT_EQ(traverse.stopped,
            "the pressure falls to zero or below between md 0.0 m and 350.0 "
            "m: the pipe cannot carry this flow from this pressure");
  ASSERT_EQ(traverse.stations.size(), 1U);
}

// With a gradient k p that follows the pressure (k = 1/1000 per m), one
// 100 m step of the mid-point rule solves p1 = p0 - k L (p0 + p1) / 2, so
// p1 = p0 (1 - kL/2) / (1 + kL/2) = p0 0.95 / 1.05 = 0.9047619 p0 with
// kL = 0.1; the exact p0 exp(-kL) is 0.9048374 p0 (the former Heun step
// gave 0.905 p0, a one-stage step 0.9 p0). The march iterates to that
// fixed point, each pass shrinking the error by kL/2 = 0.05, and stops
// once a pass moves the end by at most 1e-4 of the step's change (about
// 10 Pa): by then it is well within 1 Pa of it.
TEST_F(TraverseWithTestPlugin, TakesMidPointStepsOnAPressureDependentGradient) {
  auto pipe = two_segment_case();
  pipe.profile = {{100.0, 0.0, 0.1, 0.0}};
  const auto traverse =
      run_traverse(correlations_.choose("PRES_3"), pipe, 100.0);
  ASSERT_TRUE(traverse.completed) << traverse.stopped;
  ASSERT_EQ(traverse.stations.size(), 2U);
  EXPECT_NEAR(traverse.stations.back().pressure, 10e5 * 0.95 / 1.05, 1.0);
  EXPECT_NEAR(traverse.answer, 10e5 * 0.95 / 1.05, 1.0);
  // Ten 10 m steps: each (1 - 0.005) / (1 + 0.005), the whole 0.9048299 p0,
  // 7.5 Pa from the exact 904837.4 Pa (the rule's error falls as the step
  // squared: 75 Pa at 100 m).
  const auto fine = run_traverse(correlations_.choose("PRES_3"), pipe, 10.0);
  ASSERT_EQ(fine.stations.size(), 11U);
  EXPECT_NEAR(fine.answer, 10e5 * std::pow(0.995 / 1.005, 10), 1.0);
}

TEST_F(TraverseWithTestPlugin, RefusesAStepThatCannotFinish) {
  EXPECT_THROW((void)run_traverse(lin_, two_segment_case(), 0.0), Error);
  EXPECT_THROW((void)run_traverse(lin_, two_segment_case(), -5.0), Error);
  EXPECT_THROW((void)run_traverse(lin_, two_segment_case(), 1e-7), Error);
}

// Every segment takes a step, however long the step: a huge step on a
// profile of many tiny segments still counts them all.
TEST_F(TraverseWithTestPlugin, TheStepLimitHoldsWhateverTheProfile) {
  auto pipe = two_segment_case();
  pipe.profile.assign(3, {1e-17, 0.0, 0.1, 0.0});
  try {
    (void)run_traverse(lin_, pipe, 1e308, 2);
    FAIL() << "ran past the limit";
  } catch (const Error& error) {
    EXPECT_STREQ(error.what(),
                 "the profile has 3 segments, more than the 2 steps a "
                 "traverse may take");
  }
  pipe.profile.assign(2, {5.0, 0.0, 0.1, 0.0});
  // 3 steps a segment: 6 in all.
  try {
    (void)run_traverse(lin_, pipe, 2.0, 5);
    FAIL() << "ran past the limit";
  } catch (const Error& error) {
    EXPECT_STREQ(error.what(),
                 "step 2 m is too small for this pipe: it would take 6 steps, "
                 "more than 5");
  }
  EXPECT_NO_THROW((void)run_traverse(lin_, pipe, 2.0, 6));
  EXPECT_NO_THROW((void)run_traverse(lin_, pipe, 1e308, 2));
  // The default is the march's one limit: 100 000 steps.
  pipe.profile.assign(1, {100'001.0, 0.0, 0.1, 0.0});
  EXPECT_THROW((void)run_traverse(lin_, pipe, 1.0), Error);
  pipe.profile.assign(1, {100'000.0, 0.0, 0.1, 0.0});
  pipe.inlet_pressure = 1e9;  // 1000 bar lost over the 100 km
  const auto longest = run_traverse(lin_, pipe, 1.0);
  EXPECT_TRUE(longest.completed) << longest.stopped;
  EXPECT_EQ(longest.stations.size(), 100'001U);
}

// The table's rows, as the command picks them for a pipe and a well
// alike: the stations (here the inlet and the segment ends at 100 and
// 300 m), and with `every` = 120 m also the first step end in each further
// 120 m: 150 m opens [120, 240), 250 m opens [240, 360).
TEST_F(TraverseWithTestPlugin, TableRowsAreTheStationsAndAStepEndEachEvery) {
  const auto traverse = run_traverse(lin_, two_segment_case(), 50.0);
  ASSERT_EQ(traverse.stations.size(), 7U);
  auto mds = [&](std::optional<double> every) {
    std::vector<double> picked;
    const auto shown = table_rows(traverse.stations, every);
    for (std::size_t k = 0; k < shown.size(); ++k) {
      if (shown[k]) picked.push_back(traverse.stations[k].md);
    }
    return picked;
  };
  EXPECT_EQ(mds(std::nullopt), (std::vector<double>{0, 100, 300}));
  EXPECT_EQ(mds(120.0), (std::vector<double>{0, 100, 150, 250, 300}));
  EXPECT_EQ(mds(1e-300), (std::vector<double>{0, 50, 100, 150, 200, 250, 300}));
  EXPECT_EQ(stations_only(traverse).stations.size(), 3U);
}

// A segment that adds nothing to the distance before it cannot be a step
// of its own: refused, naming it.
TEST_F(TraverseWithTestPlugin, RefusesASegmentLostInTheDistanceBefore) {
  auto pipe = two_segment_case();
  pipe.profile = {{1e6, 0.0, 0.1, 0.0}, {1e-12, 0.0, 0.1, 0.0}};
  try {
    (void)run_traverse(lin_, pipe, 1e6);
    FAIL() << "accepted";
  } catch (const Error& error) {
    EXPECT_STREQ(error.what(),
                 "profile segment 2 (1e-12 m) is too short to be told apart "
                 "from the 1e+06 m of pipe before it");
  }
}

// At the ends of every range a case may give, whatever the other keys
// hold, what the march derives (gas density, both velocities) is a finite
// number, above zero where something flows, at the inlet: the correlation
// is handed numbers, and the table shows them.
TEST_F(TraverseWithTestPlugin, ExtremeCasesStillGiveFiniteInputs) {
  const char* const extremes[] = {
      // The largest gas velocity: most gas, least density, pressure, pipe.
      "inlet_pressure = 1\nliquid_rate = 1e6\ngas_rate = 1e6\n"
      "liquid_density = 1\nliquid_viscosity = 1e-7\nsurface_tension = 1e-6\n"
      "gas_density = 1e-6\nreference_pressure = 1e9\ngas_viscosity = 1e-7\n"
      "profile = p.csv\n",
      // The densest gas and slowest flow.
      "inlet_pressure = 1e9\nliquid_rate = 0\ngas_rate = 1e-12\n"
      "liquid_density = 1e5\nliquid_viscosity = 1e6\nsurface_tension = 10\n"
      "gas_density = 1e5\nreference_pressure = 1\ngas_viscosity = 1e6\n"
      "profile = p.csv\n"};
  for (const char* text : extremes) {
    for (const double diameter : {1e-5, 1e8}) {
      TraverseCase pipe = parse_case_text(text, "c.case");
      pipe.profile = {{1.0, 0.0, diameter, 0.0}};
      // PRES_3 computes at any pressure: a row where LIN_3 would refuse.
      const auto traverse =
          run_traverse(correlations_.choose("PRES_3"), pipe, 1.0);
      ASSERT_FALSE(traverse.stations.empty());
      const auto& inlet = traverse.stations.front();
      for (const double value : {inlet.rog, inlet.usg, inlet.usl}) {
        EXPECT_TRUE(std::isfinite(value)) << text << diameter;
      }
      EXPECT_GT(inlet.rog, 0.0) << text << diameter;
      EXPECT_GT(inlet.usg, 0.0) << text << diameter;
      EXPECT_EQ(inlet.usl > 0.0, pipe.liquid_rate > 0.0) << text << diameter;
    }
  }
}

// A finite but enormous gradient sends the pressure to infinity: the march
// stops there instead of reporting an infinite outlet pressure.
TEST(TraverseWithHostilePlugin, StopsWhenThePressureIsNoLongerFinite) {
  const PluginLibrary library(MINI_PLUGIN_HOSTILE);
  const CorrelationSet correlations(library);
  auto pipe = two_segment_case();
  pipe.liquid_rate = 1.0;  // usl well below 1 m/s: dp = -1e308
  const auto traverse = run_traverse(correlations.choose("WILD_3"), pipe, 50.0);
  EXPECT_FALSE(traverse.completed);
  EXPECT_NE(traverse.stopped.find("the pressure at the step's end is not "
                                  "finite"),
            std::string::npos)
      << traverse.stopped;
  for (const auto& station : traverse.stations) {
    EXPECT_TRUE(std::isfinite(station.pressure));
  }
}

struct TextCase {
  const char* name;
  const char* text;
  const char* message;
};

std::string profile_error(const char* text) {
  try {
    (void)parse_profile(text, "p.csv");
  } catch (const Error& error) {
    return error.what();
  }
  return "(accepted)";
}

class BadProfile : public ::testing::TestWithParam<TextCase> {};

TEST_P(BadProfile, IsRefusedWithFileAndLine) {
  EXPECT_EQ(profile_error(GetParam().text), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Profiles, BadProfile,
    ::testing::Values(
        TextCase{"empty", "# nothing\n",
                 "p.csv: profile is empty; expected a header "
                 "length,inclination,diameter,roughness and one segment a "
                 "line"},
        TextCase{"header_only", "length,inclination,diameter,roughness\n",
                 "p.csv: profile has no segment"},
        TextCase{"unknown_column", "length,angle,diameter,roughness\n",
                 "p.csv:1: header has unknown column 'angle'; expected "
                 "length,inclination,diameter,roughness"},
        TextCase{"missing_column", "length,inclination,diameter\n1,0,0.1\n",
                 "p.csv:1: header lacks column 'roughness'; expected "
                 "length,inclination,diameter,roughness"},
        TextCase{"zero_length",
                 "length,inclination,diameter,roughness\n0,0,0.1,0\n",
                 "p.csv:2: segment length must be positive, got 0"},
        TextCase{"steeper_than_vertical",
                 "length,inclination,diameter,roughness\n10,95,0.1,0\n",
                 "p.csv:2: inclination must lie between -90 and 90 degrees, "
                 "got 95"},
        TextCase{"negative_diameter",
                 "length,inclination,diameter,roughness\n10,0,-0.1,0\n",
                 "p.csv:2: diameter must be positive, got -0.1"},
        TextCase{"roughness_fills_pipe",
                 "length,inclination,diameter,roughness\n10,0,0.1,0.06\n",
                 "p.csv:2: roughness must be at least 0 and less than half "
                 "the diameter, got 0.06"},
        TextCase{"word_in_cell",
                 "length,inclination,diameter,roughness\n# c\n10,flat,0.1,0\n",
                 "p.csv:3: column 'inclination': 'flat' is not a number"},
        TextCase{"short_row",
                 "length,inclination,diameter,roughness\n10,0,0.1\n",
                 "p.csv:2: expected 4 cells as in the header, found 3"},
        TextCase{
            "diameter_near_the_least_double",
            "length,inclination,diameter,roughness\n10,0,1e-300,0\n",
            "p.csv:2: diameter 1e-300 m is narrower than any pipe: at least "
            "1e-05 m"},
        TextCase{"longer_than_any_pipe",
                 "length,inclination,diameter,roughness\n1e308,0,0.1,0\n",
                 "p.csv:2: segment length 1e+308 m is longer than any pipe: at "
                 "most 1e+07 m (10 000 km)"},
        // A stray quote swallows lines: both ends are named.
        TextCase{"stray_quote",
                 "length,inclination,diameter,roughness\n10,0,0.1,\"0\n"
                 "20,0,0.1,0\n30,0,0.1,0\"x\n",
                 "p.csv:2-4: text follows a closing quote"}),
    [](const auto& entry) { return std::string(entry.param.name); });

TEST(Profile, ReadsColumnsInAnyOrder) {
  const auto profile = parse_profile(
      "diameter,roughness,length,inclination\n0.1,1e-5,250,-3\n", "p.csv");
  ASSERT_EQ(profile.size(), 1U);
  EXPECT_EQ(profile[0].length, 250.0);
  EXPECT_EQ(profile[0].inclination, -3.0);
  EXPECT_EQ(profile[0].diameter, 0.1);
  EXPECT_EQ(profile[0].roughness, 1e-5);
}

constexpr const char* kGoodCase =
    "inlet_pressure = 10e5  # Pa\n"
    "liquid_rate = 5\n"
    "gas_rate = 0.5\n"
    "liquid_density = 1000\n"
    "liquid_viscosity = 0.001\n"
    "surface_tension = 0.07\n"
    "gas_density = 10\n"
    "reference_pressure = 10e5\n"
    "gas_viscosity = 1.8e-5\n"
    "profile = pipe.csv\n";

std::string case_error(const std::string& text) {
  try {
    (void)parse_case_text(text, "c.case");
  } catch (const Error& error) {
    return error.what();
  }
  return "(accepted)";
}

TEST(CaseFile, ReadsKeysValuesAndComments) {
  const auto pipe = parse_case_text(kGoodCase, "c.case");
  EXPECT_EQ(pipe.inlet_pressure, 10e5);
  EXPECT_EQ(pipe.gas_rate, 0.5);
  EXPECT_EQ(pipe.gas_viscosity, 1.8e-5);
  EXPECT_EQ(pipe.profile_path, "pipe.csv");
}

class BadCase : public ::testing::TestWithParam<TextCase> {};

TEST_P(BadCase, IsRefusedWithFileAndLine) {
  EXPECT_EQ(case_error(GetParam().text), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadCase,
    ::testing::Values(
        TextCase{"missing_key", "profile = x.csv\n",
                 "c.case: key 'inlet_pressure' is missing"},
        TextCase{"unknown_key", "inlet_pressure = 1e5\ntemperature = 300\n",
                 "c.case:2: unknown key 'temperature'; known keys: "
                 "inlet_pressure, liquid_rate, gas_rate, liquid_density, "
                 "liquid_viscosity, surface_tension, gas_density, "
                 "reference_pressure, gas_viscosity, profile, title, plugins"},
        TextCase{"no_equals", "inlet_pressure 1e5\n",
                 "c.case:1: expected 'key = value', got 'inlet_pressure 1e5'"},
        TextCase{"not_a_number", "inlet_pressure = high\n",
                 "c.case:1: key 'inlet_pressure': 'high' is not a number"},
        TextCase{"zero_pressure", "inlet_pressure = 0\n",
                 "c.case:1: key 'inlet_pressure' must be positive, got 0"},
        TextCase{"negative_rate", "gas_rate = -1\n",
                 "c.case:1: key 'gas_rate' must be zero or positive, got -1"},
        TextCase{"repeated_key", "gas_rate = 1\ngas_rate = 2\n",
                 "c.case:2: key 'gas_rate' repeated (first on line 1)"},
        TextCase{"octal_looking", "inlet_pressure = 0x10\n",
                 "c.case:1: key 'inlet_pressure': '0x10' is not a number"},
        // Values a double holds that no pipe has: named with the key, in
        // the case's (SI) units, before the march makes inf of them.
        TextCase{"pressure_near_the_largest_double", "inlet_pressure = 1e308\n",
                 "c.case:1: key 'inlet_pressure': 1e+308 Pa is outside 1 to "
                 "1e+09 Pa, the range a pipeline case may give"},
        TextCase{"rate_near_the_largest_double", "gas_rate = 1.7e308\n",
                 "c.case:1: key 'gas_rate': 1.7e+308 kg/s is neither 0 nor "
                 "within 1e-12 to 1e+06 kg/s, the range a pipeline case may "
                 "give"},
        TextCase{"rate_near_the_least_double", "liquid_rate = 1e-300\n",
                 "c.case:1: key 'liquid_rate': 1e-300 kg/s is neither 0 nor "
                 "within 1e-12 to 1e+06 kg/s, the range a pipeline case may "
                 "give"},
        TextCase{"density_near_the_least_double", "gas_density = 1e-308\n",
                 "c.case:1: key 'gas_density': 1e-308 kg/m3 is outside 1e-06 "
                 "to 1e+05 kg/m3, the range a pipeline case may give"},
        TextCase{"viscosity_near_the_least_double",
                 "liquid_viscosity = 4.9e-324\n",
                 "c.case:1: key 'liquid_viscosity': 5e-324 Pa s is outside "
                 "1e-07 to 1e+06 Pa s, the range a pipeline case may give"},
        TextCase{"reference_pressure_near_the_least_double",
                 "reference_pressure = 1e-308\n",
                 "c.case:1: key 'reference_pressure': 1e-308 Pa is outside 1 "
                 "to 1e+09 Pa, the range a pipeline case may give"},
        // A field case that forgot its survey reads as a pipeline case: it
        // is told what it lacks, not that its keys are unknown.
        TextCase{"field_case_without_survey",
                 "title = well\nliquid_rate = 1000 STB/d\nunits = field\n",
                 "c.case:3: key 'units' is a field case's, but the case lacks "
                 "'survey': a well names its survey CSV in 'survey = FILE' "
                 "(without one the case reads as a pipeline case, which has no "
                 "key 'units')"}),
    [](const auto& entry) { return std::string(entry.param.name); });

// A '#' starts a comment only at the start of a line or after a blank.
TEST(CaseFile, HashInsideAValueIsPartOfIt) {
  std::string text = kGoodCase;
  text.replace(text.find("profile = pipe.csv"), 18, "profile = my#prof.csv");
  text += "title = Well #3  # the third well\n";
  const auto pipe = parse_case_text(text, "c.case");
  EXPECT_EQ(pipe.profile_path, "my#prof.csv");
  EXPECT_EQ(pipe.title, "Well #3");
}

TEST(CaseFile, RefusesAPipeWhereNothingFlows) {
  std::string text = kGoodCase;
  text.replace(text.find("liquid_rate = 5"), 15, "liquid_rate = 0");
  text.replace(text.find("gas_rate = 0.5"), 14, "gas_rate = 0.0");
  EXPECT_EQ(case_error(text),
            "c.case: liquid_rate and gas_rate are both zero: nothing flows");
}

}  // namespace
}  // namespace pipecorr::hostkit
