// Field cases that stop on the way, marched with the test plug-in's LIN_3
// (100 / diam + 10 * fi Pa/m, error 3 below 1 bar): each report says where
// the march stopped, in the case's units, keeps the station it reached,
// and a lift failure names its rate.
//
// The stopping well by hand: 1024 m of vertical hole in 0.5 in tubing, so
// fi = 90 and dp = 100 / 0.0127 + 900 = 8774.0157 Pa/m, 280 768.504 Pa per
// 32 m step. From 6 858 444.094 Pa at the bottom, 24 steps up leave
// 120 000 Pa (17.4 psia) at md 256 m (839.9 ft); the next step would end
// below zero, between md 256 and 224 m (734.9 ft).
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "cases/well_case.hpp"
#include "plugin/correlation.hpp"
#include "plugin/plugin_library.hpp"
#include "reports/lift_report.hpp"
#include "reports/well_report.hpp"
#include "studies/lift_curves.hpp"
#include "studies/well_traverse.hpp"
#include "text/error.hpp"

namespace pipecorr::hostkit {
namespace {

constexpr const char* kSurvey = "md_m,inclination\n0,0\n1024,0\n";

std::string stopping_well(const char* units) {
  return std::string("units = ") + units +
         "\nsurvey = survey.csv\ninside_diameter = 0.5 in\n"
         "roughness = 0 in\napi = 36\ngas_gravity = 0.75\n"
         "liquid_rate = 1000 STB/d\nwater_cut = 0.5\nglr = 800 scf/STB\n"
         "wellhead_temperature = 85 F\nbottomhole_temperature = 200 F\n"
         "step = 32 m\nacceleration = off\n";
}

enum class Job { kTraverse, kLift };

struct StopCase {
  const char* name;
  std::string text;
  Job job;
  std::vector<std::string> expected;  // each in the report
};

void PrintTo(const StopCase& c, std::ostream* os) { *os << c.name; }

class StoppedMarch : public ::testing::TestWithParam<StopCase> {
 protected:
  PluginLibrary library_{MINI_PLUGIN};
  CorrelationSet correlations_{library_};
};

TEST_P(StoppedMarch, SaysWhereInTheCaseUnitsAndKeepsWhatItReached) {
  const StopCase& c = GetParam();
  const WellCase well_case = parse_well_case(
      c.text, "well.case",
      [](const std::filesystem::path&) { return std::string(kSurvey); });
  const Correlation& lin = correlations_.choose("LIN_3");
  std::string report;
  if (c.job == Job::kTraverse) {
    const std::vector<WellTraverse> traverses{traverse_well(lin, well_case)};
    ASSERT_FALSE(traverses[0].completed);
    report = well_traverse_text(well_case, traverses) +
             well_traverse_csv(well_case, traverses);
  } else {
    report = lift_curves_text(well_case, compute_lift_curves(lin, well_case));
  }
  for (const auto& expected : c.expected) {
    EXPECT_NE(report.find(expected), std::string::npos) << expected << "\n"
                                                        << report;
  }
}

INSTANTIATE_TEST_SUITE_P(
    WellMessages, StoppedMarch,
    ::testing::Values(
        StopCase{"field_units",
                 stopping_well("field") +
                     "bottomhole_pressure = 6858444.094488189 Pa\n",
                 Job::kTraverse,
                 {"LIN_3: bottom-hole 994.7 psia given, stopped at md 839.9 "
                  "ft\n",
                  // The table's row where it stopped, between stations.
                  "     839.9     839.9   0.00       17.4",
                  "stopped at md 839.9 ft (tvd 839.9 ft, 17.4 psia): the "
                  "pressure falls to zero or below between md 839.9 ft and "
                  "734.9 ft: the well cannot carry this flow from this "
                  "pressure\n",
                  // And the CSV's: md 256 m in ft, 120 000 Pa in psia.
                  "\nLIN_3,839.895013123", ",17.4045285276"}},
        StopCase{"si_units",
                 stopping_well("si") +
                     "bottomhole_pressure = 6858444.094488189 Pa\n",
                 Job::kTraverse,
                 {"stopped at md 256.00 m (tvd 256.00 m, 1.20 bar): the "
                  "pressure falls to zero or below between md 256.00 m and "
                  "224.00 m"}},
        // Below 1 bar at the wellhead, LIN_3 fails at once: each failed
        // rate is named, with where and why.
        StopCase{"lift_failures_name_the_rate",
                 stopping_well("field") + "wellhead_pressure = 10 psia\n"
                                          "lift_rates = 100, 1000 STB/d\n",
                 Job::kLift,
                 {"failed: 100.0 STB/d: stopped at md 0.0 ft: at md 0.0 ft, "
                  "pressure 10.0 psia: the gradient callback failed: the "
                  "correlation reports error 3: pressure below 1 bar\n",
                  "failed: 1000.0 STB/d: stopped at md 0.0 ft: "}}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace pipecorr::hostkit
