// A holdup outside 0 to 1 with ierr 0 is no result: every place the host
// side calls a plug-in (one point, a table, a map, a pipeline traverse, a
// well traverse) takes it as the correlation's failure, quoting what came
// back, while the ends of the range stay results. With the holdup test
// plug-in: OVER_3 (1.5), UNDER_2 (-0.25, single precision), EDGE_3 (1 when
// usl > usg, else 0); dp = 100 / diam + 10 * fi throughout.
#include <gtest/gtest.h>

#include <string>

#include "cases/example_point.hpp"
#include "cases/well_case.hpp"
#include "jobs/batch.hpp"
#include "plugin/correlation.hpp"
#include "plugin/plugin_library.hpp"
#include "studies/flow_map.hpp"
#include "studies/point.hpp"
#include "studies/traverse.hpp"
#include "studies/well_traverse.hpp"
#include "support/work_dir.hpp"

namespace pipecorr::hostkit {
namespace {

class HoldupPlugin : public ::testing::Test {
 protected:
  PluginLibrary library_{HOLDUP_PLUGIN};
  CorrelationSet correlations_{library_};
};

struct CallCase {
  const char* correlation;
  double usl, usg;
  int ierr;
  double holdup;
  const char* message;
};

TEST_F(HoldupPlugin, OneCallFailsOutsideTheRangeAndKeepsItsEnds) {
  // diam 0.1016, fi 0: dp = 984.2519685039371 (984.251953125 in float).
  const CallCase cases[] = {
      {"OVER_3", 0.5, 2.0, 3, 0.0,
       "the plug-in returned dp 984.2519685039371 and holdup 1.5 with ierr "
       "0: a holdup outside 0 to 1"},
      {"UNDER_2", 0.5, 2.0, 3, 0.0,
       "the plug-in returned dp 984.251953125 and holdup -0.25 with ierr 0: "
       "a holdup outside 0 to 1"},
      {"EDGE_3", 2.0, 0.5, 0, 1.0, ""},
      {"EDGE_3", 0.5, 2.0, 0, 0.0, ""},
  };
  for (const auto& c : cases) {
    FlowInputs inputs = kExamplePoint;
    inputs.usl = c.usl;
    inputs.usg = c.usg;
    FlowResult result;
    correlations_.choose(c.correlation).call(inputs, result);
    SCOPED_TRACE(c.correlation);
    EXPECT_EQ(result.ierr, c.ierr);
    EXPECT_EQ(result.holdup, c.holdup);
    EXPECT_EQ(result.message(), c.message);
    if (c.ierr != 0) {
      EXPECT_EQ(result.dp, 0.0);
      EXPECT_EQ(result.id, PIPECORR_PATTERN_NONE);
    } else {
      EXPECT_DOUBLE_EQ(result.dp, 100.0 / 0.1016);
    }
  }
  // calc gives it as a failure (its exit status follows ierr).
  PointOptions point;
  point.correlation = "OVER_3";
  EXPECT_EQ(run_point(correlations_, point).result.ierr, 3);
}

TEST_F(HoldupPlugin, TablesAndMapsCountItAsFailed) {
  const pipecorr::testing::ScopedWorkDir dir;
  pipecorr::testing::write_file(
      "in.csv",
      "usl,usg,rol,rog,visl,visg,eps,sigma,diam,fi,p,correlation\n"
      "0.5,2,850,40,0.003,1.3e-5,4.6e-5,0.025,0.1,0,4e6,OVER_3\n"
      "0.5,2,850,40,0.003,1.3e-5,4.6e-5,0.025,0.1,0,4e6,UNDER_2\n"
      "2,0.5,850,40,0.003,1.3e-5,4.6e-5,0.025,0.1,0,4e6,EDGE_3\n");
  BatchOptions options;
  options.input = "in.csv";
  options.output = "out.csv";
  const BatchSummary summary = run_batch(correlations_, options);
  EXPECT_EQ(summary.failed, 2U);
  EXPECT_EQ(summary.computed, 1U);
  const std::string out = pipecorr::testing::read_file("out.csv");
  EXPECT_NE(out.find(",OVER_3,0,0,-1,none,3,the plug-in returned dp 1000 and "
                     "holdup 1.5 with ierr 0: a holdup outside 0 to 1\n"),
            std::string::npos)
      << out;
  EXPECT_NE(out.find(",EDGE_3,1000,1,7,intermittent,0,\n"), std::string::npos)
      << out;

  MapRange range;
  range.points = 4;
  const FlowMap map =
      compute_flow_map(correlations_.choose("OVER_3"), kExamplePoint, range);
  for (const auto& cell : map.cells) EXPECT_EQ(cell.ierr, 3);
  EXPECT_NE(map.first_error.find("holdup 1.5"), std::string::npos);
}

TEST_F(HoldupPlugin, TraversesStopAtTheFirstStation) {
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
  pipe.profile = {{100.0, 0.0, 0.1, 1e-5}};
  const WellTraverse line =
      run_traverse(correlations_.choose("OVER_3"), pipe, 10);
  EXPECT_FALSE(line.completed);
  EXPECT_TRUE(line.stations.empty());
  EXPECT_EQ(line.stopped,
            "at md 0.0 m, pressure 10.000 bar: the gradient callback failed: "
            "the correlation reports error 3: the plug-in returned dp 1000 and "
            "holdup 1.5 with ierr 0: a holdup outside 0 to 1");

  const WellCase well_case = parse_well_case(
      "units = si\nsurvey = s.csv\ninside_diameter = 0.1 m\nroughness = 0\n"
      "api = 36\ngas_gravity = 0.75\noil_rate = 100 m3/d\nwater_rate = 0\n"
      "glr = 100\nwellhead_pressure = 10 bar\nwellhead_temperature = 300\n"
      "bottomhole_temperature = 350\n",
      "w.case", [](const std::filesystem::path&) {
        return std::string("md,inclination\n0,0\n1000,0\n");
      });
  const WellTraverse well =
      traverse_well(correlations_.choose("UNDER_2"), well_case);
  EXPECT_FALSE(well.completed);
  EXPECT_TRUE(well.stations.empty());
  EXPECT_NE(well.stopped.find("holdup -0.25 with ierr 0: a holdup outside 0 "
                              "to 1"),
            std::string::npos)
      << well.stopped;
}

}  // namespace
}  // namespace pipecorr::hostkit
