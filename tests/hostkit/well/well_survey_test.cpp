// Well path from a survey: TVD by minimum curvature and average angle,
// checked against exact geometry, and the survey's validation.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

#include "well/survey.hpp"

namespace {

using pipecorr::well::average_angle_step;
using pipecorr::well::build_path;
using pipecorr::well::minimum_curvature_step;
using pipecorr::well::SurveyError;
using pipecorr::well::SurveyStation;
using pipecorr::well::TvdMethod;
using pipecorr::well::TvdSource;

constexpr double kDeg = std::numbers::pi / 180.0;

TEST(Survey, StraightHolesAreExactByEitherMethod) {
  for (const TvdMethod method :
       {TvdMethod::kMinimumCurvature, TvdMethod::kAverageAngle}) {
    // Vertical, and slanted at 30 degrees towards north-east.
    for (const double inc : {0.0, 30.0}) {
      const std::vector<SurveyStation> survey = {
          {0, inc, 45, {}}, {120, inc, 45, {}}, {1000, inc, 45, {}}};
      const auto path = build_path(survey, {method, {}});
      for (const auto& s : path.stations()) {
        EXPECT_NEAR(s.tvd, s.md * std::cos(inc * kDeg), 1e-9) << s.md;
      }
    }
  }
}

// A hole building angle at a constant rate is a circular arc of radius R:
// its TVD is R sin(inclination). Minimum curvature assumes exactly that;
// average angle falls short by the factor sin(d/2)/(d/2) per interval of
// dogleg d.
TEST(Survey, ConstantBuildArc) {
  const double build = 3.0;  // degrees per 30 m
  const double radius = 30.0 / (build * kDeg);
  std::vector<SurveyStation> survey;
  for (int k = 0; k <= 30; ++k) {
    survey.push_back({30.0 * k, build * k, std::nullopt, std::nullopt});
  }
  const auto exact = build_path(survey);
  EXPECT_EQ(exact.tvd_source(), TvdSource::kMinimumCurvature);
  for (const auto& s : exact.stations()) {
    EXPECT_NEAR(s.tvd, radius * std::sin(s.inclination * kDeg), 1e-9);
  }
  const auto average = build_path(survey, {TvdMethod::kAverageAngle, {}});
  EXPECT_EQ(average.tvd_source(), TvdSource::kAverageAngle);
  const double half = 0.5 * build * kDeg;
  EXPECT_NEAR(average.stations().back().tvd, radius * half / std::sin(half),
              1e-9);
}

// An arc in an inclined plane, from its own geometry: a start direction
// t1, a unit normal n in the plane, r(s) = R sin(s/R) t1 + R (1 -
// cos(s/R)) n. Every interval of minimum curvature must land on it.
TEST(Survey, MinimumCurvatureFollowsAnArcInAnyPlane) {
  const double i1 = 20 * kDeg, a1 = 30 * kDeg, radius = 400.0;
  const double t1[3] = {std::sin(i1) * std::cos(a1),
                        std::sin(i1) * std::sin(a1), std::cos(i1)};
  // Horizontal, at right angles to t1: the arc turns as well as builds.
  const double n[3] = {-std::sin(a1), std::cos(a1), 0.0};
  double north = 0, east = 0, tvd = 0;
  double inc_prev = 20, azi_prev = 30;
  for (int k = 1; k <= 10; ++k) {
    const double s = 40.0 * k, c = std::cos(s / radius),
                 sn = std::sin(s / radius);
    double t[3], r[3];
    for (int j = 0; j < 3; ++j) {
      t[j] = c * t1[j] + sn * n[j];
      r[j] = radius * (sn * t1[j] + (1 - c) * n[j]);
    }
    const double inc = std::acos(t[2]) / kDeg;
    const double azi = std::atan2(t[1], t[0]) / kDeg;
    const auto step =
        minimum_curvature_step(40.0, inc_prev, azi_prev, inc, azi);
    EXPECT_NEAR(step.dogleg, 40.0 / radius / kDeg, 1e-9);
    north += step.north;
    east += step.east;
    tvd += step.tvd;
    EXPECT_NEAR(north, r[0], 1e-9);
    EXPECT_NEAR(east, r[1], 1e-9);
    EXPECT_NEAR(tvd, r[2], 1e-9);
    inc_prev = inc;
    azi_prev = azi;
  }
}

TEST(Survey, AverageAngleTakesTheShortWayRoundNorth) {
  const auto step = average_angle_step(10.0, 90, 350, 90, 10);
  EXPECT_NEAR(step.north, 10.0, 1e-12);
  EXPECT_NEAR(step.east, 0.0, 1e-12);
}

TEST(Survey, GivenTvdAndTheStraightLineBetweenStations) {
  // Toe-up at the end: the deepest TVD is not the last station's.
  const std::vector<SurveyStation> survey = {
      {0, 0, {}, 0.0}, {1000, 60, {}, 900.0}, {1500, 95, {}, 880.0}};
  const auto path = build_path(survey);
  EXPECT_EQ(path.tvd_source(), TvdSource::kGiven);
  EXPECT_EQ(path.deepest_tvd(), 900.0);
  EXPECT_DOUBLE_EQ(path.tvd_at(1250), 890.0);
  EXPECT_EQ(path.tvd_at(-5), 0.0);
  EXPECT_EQ(path.tvd_at(2000), 880.0);
  // Computed TVD starts at the top station's md unless told otherwise.
  const std::vector<SurveyStation> below_datum = {{50, 0, {}, {}},
                                                  {150, 0, {}, {}}};
  EXPECT_EQ(build_path(below_datum).top_tvd(), 50.0);
  EXPECT_EQ(build_path(below_datum, {TvdMethod::kMinimumCurvature, 7.0})
                .stations()[1]
                .tvd,
            107.0);
}

struct BadSurvey {
  std::string name;
  std::vector<SurveyStation> survey;
  std::size_t station;
  std::string says;
};

class SurveyValidation : public ::testing::TestWithParam<BadSurvey> {};

TEST_P(SurveyValidation, NamesTheStationAndTheFault) {
  const BadSurvey& c = GetParam();
  try {
    (void)build_path(c.survey);
    FAIL() << "accepted";
  } catch (const SurveyError& e) {
    EXPECT_EQ(e.station(), c.station);
    EXPECT_NE(std::string(e.what()).find(c.says), std::string::npos)
        << e.what();
  }
}

const double kNan = std::nan("");

INSTANTIATE_TEST_SUITE_P(
    Survey, SurveyValidation,
    ::testing::Values(
        BadSurvey{"OneStation", {{0, 0, {}, {}}}, 0, "at least two"},
        BadSurvey{"MdNotIncreasing",
                  {{0, 0, {}, {}}, {100, 0, {}, {}}, {100, 1, {}, {}}},
                  2,
                  "station 3 (md 100 m): md must increase"},
        BadSurvey{"MdNan", {{0, 0, {}, {}}, {kNan, 0, {}, {}}}, 1, "finite"},
        BadSurvey{"InclinationAbove180",
                  {{0, 0, {}, {}}, {10, 180.5, {}, {}}},
                  1,
                  "outside 0"},
        BadSurvey{"InclinationNegative",
                  {{0, -1, {}, {}}, {10, 0, {}, {}}},
                  0,
                  "outside 0"},
        BadSurvey{"AzimuthOnSomeOnly",
                  {{0, 0, 10.0, {}}, {10, 0, {}, {}}},
                  1,
                  "azimuth must be given for every station or for none"},
        BadSurvey{"TvdOnSomeOnly",
                  {{0, 0, {}, {}}, {10, 0, {}, 10.0}},
                  1,
                  "tvd must be given"},
        BadSurvey{"TvdDeeperThanTheHoleIsLong",
                  {{0, 0, {}, 0.0}, {10, 0, {}, 10.5}},
                  1,
                  "more than the hole's length"},
        BadSurvey{"HoleTurnsBack",
                  {{0, 0, {}, {}}, {10, 180, {}, {}}},
                  1,
                  "turn back"}),
    [](const auto& row) { return row.param.name; });

}  // namespace
