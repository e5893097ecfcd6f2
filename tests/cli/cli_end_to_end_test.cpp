// The pipecorr program driven end to end as a user runs it: arguments in,
// exit status, standard output, standard error and files out.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "cli/pipecorr_runner.hpp"
#include "support/program_launcher.hpp"
#include "support/work_dir.hpp"

namespace {

std::ptrdiff_t count_of(const std::string& text, const std::string& what) {
  std::ptrdiff_t n = 0;
  for (auto at = text.find(what); at != std::string::npos;
       at = text.find(what, at + what.size())) {
    ++n;
  }
  return n;
}

using pipecorr::testing::read_file;
using pipecorr::testing::run;
using pipecorr::testing::ScopedWorkDir;
using pipecorr::testing::write_file;

// The i386 build's tests run on kernels that cannot start an i386 program:
// every program they start goes through the emulator.
TEST(Launcher, CrossBuildsStartProgramsThroughTheEmulator) {
  const std::string line =
      pipecorr::testing::command_line(PIPECORR_PROGRAM, "list", 1);
  const std::string emulator(pipecorr::testing::emulator());
  const std::string program_at =
      " " + pipecorr::testing::shell_quoted(PIPECORR_PROGRAM);
  ASSERT_NE(line.find(program_at), std::string::npos) << line;
  EXPECT_EQ(emulator.empty(), !PIPECORR_TEST_CROSS)
      << "a cross build must name its emulator";
  const std::string before = line.substr(0, line.find(program_at));
  if (emulator.empty()) {
    EXPECT_EQ(before, "timeout -k 5 1") << line;
  } else {
    EXPECT_EQ(before, "timeout -k 5 1 " + emulator) << line;
  }
}

// A small two-segment pipe whose traverse with the test plug-in is known by
// hand: 1100 Pa/m over 100 m, then 450 Pa/m over 200 m.
constexpr const char* kCase =
    "title = hand case\n"
    "profile = pipe.csv\n"
    "inlet_pressure = 10e5\n"
    "liquid_rate = 5\n"
    "gas_rate = 0.1\n"
    "liquid_density = 1000\n"
    "liquid_viscosity = 0.001\n"
    "surface_tension = 0.07\n"
    "gas_density = 10\n"
    "reference_pressure = 10e5\n"
    "gas_viscosity = 1.8e-5\n";
constexpr const char* kPipe =
    "length,inclination,diameter,roughness\n"
    "100,10,0.1,1e-5\n"
    "200,-5,0.2,1e-5\n";
constexpr const char* kTableHeader =
    "usl,usg,rol,rog,visl,visg,eps,sigma,diam,fi,p\n";

struct CommandCase {
  const char* name;
  std::vector<std::pair<const char*, const char*>> files;
  const char* arguments;
  int status;
  const char* in_out;  // expected in standard output ("" for no check)
  const char* in_err;  // expected in standard error ("" for no check)
};

class Command : public ::testing::TestWithParam<CommandCase> {};

TEST_P(Command, ExitsAndReportsAsDocumented) {
  const ScopedWorkDir dir;
  const auto& c = GetParam();
  for (const auto& [name, text] : c.files) write_file(name, text);
  const auto result = run(c.arguments);
  EXPECT_EQ(result.status, c.status) << result.out << result.err;
  EXPECT_NE(result.out.find(c.in_out), std::string::npos) << result.out;
  EXPECT_NE(result.err.find(c.in_err), std::string::npos) << result.err;
}

INSTANTIATE_TEST_SUITE_P(
    EndToEnd, Command,
    ::testing::Values(
        CommandCase{"list_third_party",
                    {},
                    "--lib {mini} list",
                    0,
                    "  LIN_3   1     3     double precision  yes       "
                    "libmini_plugin.so  Linear test correlation",
                    ""},
        CommandCase{"list_shows_missing_identification",
                    {},
                    "--lib {mini} list",
                    0,
                    "Identification (COPYRIGHT_E):\n  (not exported)",
                    ""},
        CommandCase{"calc_point",
                    {},
                    "--lib {mini} calc --diam 0.1 --fi 10",
                    0,
                    "gradient     1100.000 Pa/m  (11.0000 bar/km)",
                    ""},
        CommandCase{"calc_json",
                    {},
                    "--lib {mini} calc --json --diam 0.2 --fi -5",
                    0,
                    "\"dp\":450,\"dp_bar_per_km\":4.5,",
                    ""},
        CommandCase{"calc_correlation_error",
                    {},
                    "--lib {mini} calc --p 5e4",
                    2,
                    "error        3 pressure below 1 bar",
                    ""},
        CommandCase{"no_subcommand",
                    {},
                    "--lib {mini}",
                    1,
                    "",
                    "A subcommand is required"},
        CommandCase{"unknown_option",
                    {},
                    "--lib {mini} calc --colour red",
                    1,
                    "",
                    "--colour"},
        CommandCase{"option_not_a_number",
                    {},
                    "--lib {mini} calc --usl fast",
                    1,
                    "",
                    "fast"},
        CommandCase{"option_not_finite",
                    {},
                    "--lib {mini} calc --rog nan",
                    1,
                    "",
                    "--rog: 'nan' is not a finite number"},
        CommandCase{"map_fluid_not_finite",
                    {},
                    "--lib {mini} map --sigma inf",
                    1,
                    "",
                    "--sigma: 'inf' is not a finite number"},
        CommandCase{"option_hexadecimal",
                    {},
                    "--lib {mini} calc --fi 0x10",
                    1,
                    "",
                    "--fi: '0x10' is not a number"},
        CommandCase{"option_below_a_double",
                    {},
                    "--lib {mini} calc --fi 1e-400",
                    1,
                    "",
                    "--fi: '1e-400' is beyond the range of a double"},
        CommandCase{"option_count_not_whole",
                    {},
                    "--lib {mini} map --points 2.5",
                    1,
                    "",
                    "--points: '2.5' is not a whole number"},
        CommandCase{"correlation_name_ignoring_case",
                    {},
                    "--lib {mini} calc -c lin_3 --diam 0.1 --fi 10",
                    0,
                    "gradient     1100.000 Pa/m",
                    ""},
        CommandCase{"unknown_correlation",
                    {},
                    "--lib {mini} calc -c BB_9",
                    1,
                    "",
                    "pipecorr: error: unknown correlation 'BB_9'; "
                    "libmini_plugin.so offers LIN_3, PRES_3"},
        CommandCase{"catalogue_entry_not_exported",
                    {},
                    "--lib {ghost} calc -c GONE_3",
                    1,
                    "",
                    "the plug-in itself does not export it"},
        CommandCase{"library_without_catalogue",
                    {},
                    "--lib {nocat} list",
                    1,
                    "",
                    "does not export DESCRIPTN_2"},
        CommandCase{"missing_library",
                    {},
                    "--lib nowhere.so list",
                    1,
                    "",
                    "plug-in library 'nowhere.so' does not exist"},
        CommandCase{"not_a_library",
                    {{"fake.so", "not a library"}},
                    "--lib fake.so list",
                    1,
                    "",
                    "cannot load plug-in library 'fake.so'"},
        CommandCase{"missing_table",
                    {},
                    "--lib {mini} batch nothere.csv",
                    1,
                    "",
                    "input table 'nothere.csv' does not exist"},
        CommandCase{"table_header_lacks_column",
                    {{"in.csv", "usl,usg,temp\n1,2,3\n"}},
                    "--lib {mini} batch in.csv",
                    1,
                    "",
                    "in.csv:1: header lacks column 'rol' and no --rol gives "
                    "its value"},
        CommandCase{"table_saved_with_byte_order_mark",
                    {{"in.csv",
                      "\xEF\xBB\xBFusl,usg,rol,rog,visl,visg,eps,"
                      "sigma,diam,fi,p\n"
                      "1,2,1000,10,1e-3,1e-5,0,0.07,0.1,10,2e5\n"}},
                    "--lib {mini} batch in.csv",
                    0,
                    "\n1,2,1000,10,1e-3,1e-5,0,0.07,0.1,10,2e5,LIN_3,1100,",
                    "1 rows: 1 computed, 0 failed in the correlation, 0 "
                    "malformed"},
        CommandCase{"empty_table",
                    {{"in.csv", "# nothing\n"}},
                    "--lib {mini} batch in.csv",
                    1,
                    "",
                    "input table 'in.csv' has no header line"},
        CommandCase{"missing_case",
                    {},
                    "--lib {mini} traverse none.case",
                    1,
                    "",
                    "case file 'none.case' does not exist"},
        CommandCase{"missing_profile",
                    {{"c.case", kCase}},
                    "--lib {mini} traverse c.case",
                    1,
                    "",
                    "profile 'pipe.csv' does not exist"},
        CommandCase{"profile_that_makes_no_sense",
                    {{"c.case", kCase},
                     {"pipe.csv",
                      "length,inclination,diameter,roughness\n100,0,0,0\n"}},
                    "--lib {mini} traverse c.case",
                    1,
                    "",
                    "pipe.csv:2: diameter must be positive, got 0"},
        CommandCase{"traverse_hand_case",
                    {{"c.case", kCase}, {"pipe.csv", kPipe}},
                    "--lib {mini} traverse c.case --step 50",
                    0,
                    "outlet pressure 8.000 bar after 300.0 m: a drop of 2.000 "
                    "bar",
                    ""},
        CommandCase{"traverse_bad_step",
                    {{"c.case", kCase}, {"pipe.csv", kPipe}},
                    "--lib {mini} traverse c.case --step 0",
                    1,
                    "",
                    "step must be a positive length in metres, got 0"},
        // 1000 Pa/m from 10 bar: 1 bar exactly at 900 m; the step from
        // there guesses 0.9 bar at 910 m, and LIN_3 refuses its midpoint.
        CommandCase{"traverse_stopped_by_correlation",
                    {{"c.case", kCase},
                     {"pipe.csv",
                      "length,inclination,diameter,roughness\n"
                      "1000,0,0.1,0\n"}},
                    "--lib {mini} traverse c.case",
                    2,
                    "traverse stopped at md 905.0 m, pressure 0.950 bar: the "
                    "gradient callback failed: the correlation reports error "
                    "3: pressure below 1 bar",
                    "traverse stopped at md 905.0 m"},
        CommandCase{"map_range_not_positive",
                    {},
                    "--lib {mini} map --usl-min 0",
                    1,
                    "",
                    "map range of usl must be positive"},
        CommandCase{"map_too_few_points",
                    {},
                    "--lib {mini} map --points 1",
                    1,
                    "",
                    "map points per axis must be between 2 and 1000"},
        // dp = 100 / 0: no point has a result, and the status says so.
        CommandCase{"map_points_without_a_result",
                    {},
                    "--lib {mini} map --diam 0 --points 4",
                    2,
                    "",
                    "map: 16 points through LIN_3, 16 without a result"},
        CommandCase{"calc_holdup_outside_the_range",
                    {},
                    "--lib {holdup} calc -c OVER_3",
                    2,
                    "error        3 the plug-in returned dp 984.2519685039371 "
                    "and holdup 1.5 with ierr 0: a holdup outside 0 to 1\n",
                    ""},
        CommandCase{"batch_option_beside_its_column",
                    {{"in.csv",
                      "usl,usg,rol,rog,visl,visg,eps,sigma,diam,fi,p\n"
                      "1,2,1000,10,1e-3,1e-5,0,0.07,0.1,10,2e5\n"}},
                    "--lib {mini} batch in.csv --p 3e5 -o out.csv",
                    0,
                    "",
                    "batch: warning: --p 3e+05 Pa is not used: column 11 ('p') "
                    "gives p on every row\n"},
        CommandCase{"well_step_option_too_short",
                    {},
                    "--lib {mini} traverse {examples}/field_well.case --step "
                    "0.01",
                    1,
                    "",
                    "pipecorr: error: a step of 0.01 ft would take more "
                    "than 100000 steps over the well's 10000 ft of md\n"}),
    [](const auto& entry) { return std::string(entry.param.name); });

TEST(Batch, KeepsEveryRowAndMarksTheMalformedOnes) {
  const ScopedWorkDir dir;
  write_file("in.csv", std::string(kTableHeader) +
                           "1,2,1000,10,1e-3,1e-5,0,0.07,0.1,10,2e5\n"
                           "1,2,abc,10,1e-3,1e-5,0,0.07,0.1,10,2e5\n"
                           "# a comment line keeps its number\n"
                           "1,2,1000,10,1e-3,1e-5,0,0.07,0.2,-5,2e5\n"
                           "1,2,1000,10\n"
                           "1,2,1000,10,1e-3,1e-5,0,0.07,0.1,0,5e4\n");
  const auto result = run("--lib {mini} --log batch in.csv -o out.csv");
  EXPECT_EQ(result.status, 2);
  EXPECT_NE(result.err.find("batch: 5 rows: 2 computed, 1 failed in the "
                            "correlation, 2 malformed"),
            std::string::npos)
      << result.err;
  EXPECT_NE(result.err.find("in.csv:3: column 'rol': 'abc' is not a number"),
            std::string::npos)
      << result.err;
  EXPECT_NE(result.err.find("in.csv:6: expected 11 cells as in the header, "
                            "found 4"),
            std::string::npos)
      << result.err;
  EXPECT_EQ(read_file("out.csv"),
            "usl_m_per_s,usg_m_per_s,rol_kg_per_m3,rog_kg_per_m3,visl_Pa_s,"
            "visg_Pa_s,eps_m,sigma_N_per_m,diam_m,fi_deg,p_Pa,correlation,"
            "dp_Pa_per_m,holdup,id,pattern,ierr,errmsg\n"
            "1,2,1000,10,1e-3,1e-5,0,0.07,0.1,10,2e5,LIN_3,1100,"
            "0.3333333333333333,7,intermittent,0,\n"
            "1,2,abc,10,1e-3,1e-5,0,0.07,0.1,10,2e5,,,,,,-1,"
            "line 3: column 'rol': 'abc' is not a number\n"
            "1,2,1000,10,1e-3,1e-5,0,0.07,0.2,-5,2e5,LIN_3,450,"
            "0.3333333333333333,5,segregated,0,\n"
            "1,2,1000,10,,,,,,,,,,,,,-1,"
            "\"line 6: expected 11 cells as in the header, found 4\"\n"
            "1,2,1000,10,1e-3,1e-5,0,0.07,0.1,0,5e4,LIN_3,0,0,-1,none,3,"
            "pressure below 1 bar\n");
  // Host order: catalogue, run setup, one call per good row, cleanup.
  EXPECT_EQ(read_file("usercorr.dbg"),
            "DESCRIPTN_2\nCORR_INT_SETUP\nLIN_3\nLIN_3\nLIN_3\n"
            "CORR_INT_CLEANUP\n");
}

TEST(Batch, PerRowCorrelationNamesAreCheckedPerRow) {
  const ScopedWorkDir dir;
  write_file("in.csv",
             "correlation,usl,usg,rol,rog,visl,visg,eps,sigma,diam,fi,p\n"
             "GONE_3,1,2,1000,10,1e-3,1e-5,0,0.07,0.1,0,2e5\n"
             "LIN_3,1,2,1000,10,1e-3,1e-5,0,0.07,0.1,0,2e5\n"
             "NOPE,1,2,1000,10,1e-3,1e-5,0,0.07,0.1,0,2e5\n");
  const auto result = run("--lib {ghost} batch in.csv");
  EXPECT_EQ(result.status, 2);
  EXPECT_NE(result.err.find("in.csv:2: correlation 'GONE_3' is in the "
                            "catalogue of libmini_plugin_ghost.so but the "
                            "plug-in itself does not export it"),
            std::string::npos)
      << result.err;
  EXPECT_NE(result.err.find("in.csv:4: unknown correlation 'NOPE'"),
            std::string::npos)
      << result.err;
  EXPECT_NE(result.out.find("\nLIN_3,1,2,1000,10,1e-3,1e-5,0,0.07,0.1,0,2e5,"
                            "1000,"),
            std::string::npos)
      << result.out;
}

TEST(Batch, AFailedRunLeavesAnEarlierOutputAlone) {
  const ScopedWorkDir dir;
  write_file("out.csv", "earlier result\n");
  write_file("in.csv", "usl,usg\n1,2\n");
  const auto result = run("--lib {mini} batch in.csv -o out.csv");
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(read_file("out.csv"), "earlier result\n");
  // No temporary file is left beside it.
  for (const auto& entry : std::filesystem::directory_iterator(".")) {
    EXPECT_EQ(entry.path().filename().string().find(".out.csv"),
              std::string::npos);
  }
}

TEST(Log, IsNotCreatedWithoutTheFlag) {
  const ScopedWorkDir dir;
  EXPECT_EQ(run("--lib {mini} calc").status, 0);
  EXPECT_FALSE(std::filesystem::exists("usercorr.dbg"));
}

TEST(Map, WritesThePictureAndEveryGridPoint) {
  const ScopedWorkDir dir;
  const auto result =
      run("--lib {mini} map --points 10 --p 2e5 --svg m.svg --csv m.csv");
  ASSERT_EQ(result.status, 0) << result.err;
  const auto csv = read_file("m.csv");
  EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 101);
  EXPECT_EQ(read_file("m.svg").rfind("<?xml", 0), 0U);
}

// The bundled examples through the pipecorr plug-in built beside the
// program: the commands the README gives, with their defaults.
TEST(BundledExamples, ListNamesEveryBundledCorrelationAndItsPlugin) {
  const ScopedWorkDir dir;
  const auto result = run("list");
  ASSERT_EQ(result.status, 0) << result.err;
  for (const char* row :
       {"  BB_2      1     2     single precision  yes       libpipecorr.so   "
        "     Beggs & Brill Revised from USERDLL",
        "  BB_3      1     3     double precision  yes       libpipecorr.so   "
        "     real*8 Beggs & Brill Revised from USERDLL",
        "  ORBA_3    1     3     double precision  yes       libpipecorr.so   "
        "     32-bit ORBA Correlation",
        "  HB_3      1     3     double precision  yes       "
        "libpipecorr_wells.so  real*8 Hagedorn & Brown",
        "  ANSARI_3  1     3     double precision  yes       "
        "libpipecorr_wells.so  real*8 Ansari"}) {
    EXPECT_NE(result.out.find(row), std::string::npos) << row;
  }
}

TEST(BundledExamples, BatchComputesEveryPoint) {
  const ScopedWorkDir dir;
  const auto result = run("batch {examples}/points.csv -o out.csv");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_NE(result.err.find("10 rows: 10 computed, 0 failed in the "
                            "correlation, 0 malformed"),
            std::string::npos)
      << result.err;
}

TEST(BundledExamples, TraversesReachTheOutlet) {
  for (const char* example : {"deviated_well", "hilly_flowline"}) {
    const ScopedWorkDir dir;
    const auto result = run(std::string("traverse {examples}/") + example +
                            ".case --svg t.svg -o t.csv");
    EXPECT_EQ(result.status, 0) << example << result.err;
    EXPECT_NE(result.out.find("outlet pressure"), std::string::npos)
        << example << result.out;
  }
}

// A field case: two correlations overlaid in one table, CSV and picture;
// lift curves with their operating points.
TEST(BundledExamples, FieldWellTraverseAndLiftCurves) {
  const ScopedWorkDir dir;
  const auto traverse =
      run("traverse {examples}/field_well.case -c bb_3,ORBA_3 -o t.csv --svg "
          "t.svg");
  ASSERT_EQ(traverse.status, 0) << traverse.err;
  EXPECT_NE(traverse.out.find("BB_3: wellhead 150.0 psia given, bottom-hole"),
            std::string::npos)
      << traverse.out;
  EXPECT_NE(traverse.out.find("ORBA_3: wellhead 150.0 psia given"),
            std::string::npos);
  const auto csv = read_file("t.csv");
  EXPECT_EQ(csv.rfind("correlation,md_ft,", 0), 0U) << csv.substr(0, 80);
  EXPECT_NE(read_file("t.svg").find("id=\"pressure-2\""), std::string::npos);
  const auto lift = run("lift {examples}/field_well.case -o l.csv");
  ASSERT_EQ(lift.status, 0) << lift.err;
  EXPECT_NE(lift.out.find("operating point:"), std::string::npos);
  const auto rows = read_file("l.csv");
  // 20 rates on each of 5 curves, then each curve's crossings: two on the
  // GLR-200 curve (both heading), one on each of the others.
  EXPECT_EQ(std::count(rows.begin(), rows.end(), '\n'), 1 + 20 * 5 + 6);
  EXPECT_EQ(count_of(rows, ",unstable_crossing\n"), 2);
  EXPECT_EQ(count_of(rows, ",stable_crossing\n"), 4);
  // One correlation twice (in another spelling) or an empty name: refused.
  for (const auto& [list, why] :
       {std::pair{"BB_3,bb_3", "correlation 'BB_3' is named twice"},
        std::pair{"BB_3,",
                  "name 2 of the correlation list 'BB_3,' is empty"}}) {
    const auto refused =
        run(std::string("traverse {examples}/field_well.case -c ") + list);
    EXPECT_NE(refused.status, 0) << list;
    EXPECT_NE(refused.err.find(why), std::string::npos) << refused.err;
  }
}

// --every spaces a pipe's and a well's table alike: it adds rows at step
// ends between the stations and changes no row that was there; a length
// that is not positive is refused by both in the same words.
TEST(BundledExamples, EveryMeansTheSameForAPipeAndAWell) {
  const ScopedWorkDir dir;
  auto lines = [](const std::string& text) {
    std::vector<std::string> out;
    std::size_t from = 0;
    for (std::size_t end; (end = text.find('\n', from)) != std::string::npos;
         from = end + 1) {
      out.push_back(text.substr(from, end - from));
    }
    return out;
  };
  for (const char* example : {"field_well", "hilly_flowline"}) {
    const std::string command =
        std::string("traverse {examples}/") + example + ".case --every ";
    // 100 km: no step end opens a new interval, so only the stations show.
    const auto sparse = run(command + "100000");
    const auto dense = run(command + "10");
    ASSERT_EQ(sparse.status, 0) << example << sparse.err;
    ASSERT_EQ(dense.status, 0) << example << dense.err;
    const auto few = lines(sparse.out), many = lines(dense.out);
    EXPECT_GT(many.size(), few.size() + 10) << example;
    // Every line of the sparse table is in the dense one, in order, but
    // the count of correlation calls (a well's rows at step ends are
    // extra calls).
    std::size_t at = 0;
    for (const auto& line : few) {
      if (line.find("correlation calls") != std::string::npos) continue;
      const auto found =
          std::find(many.begin() + static_cast<long>(at), many.end(), line);
      ASSERT_NE(found, many.end()) << example << ": " << line;
      at = static_cast<std::size_t>(found - many.begin());
    }
    const auto refused = run(command + "0");
    EXPECT_EQ(refused.status, 1) << example;
    EXPECT_NE(
        refused.err.find("--every must be a positive length in metres, got 0"),
        std::string::npos)
        << example << refused.err;
  }
}

// A field case's lengths on the command line are in its own unit: the
// bundled well's step is 100 ft, so --step 100 changes nothing, while
// 30.48 (100 ft only if read as metres) does.
TEST(BundledExamples, AFieldCaseStepIsInTheCaseUnit) {
  const ScopedWorkDir dir;
  const auto plain = run("traverse {examples}/field_well.case");
  const auto feet = run("traverse {examples}/field_well.case --step 100");
  const auto metres = run("traverse {examples}/field_well.case --step 30.48");
  ASSERT_EQ(plain.status, 0) << plain.err;
  EXPECT_EQ(feet.out, plain.out);
  EXPECT_NE(metres.out, plain.out);
}

TEST(BundledExamples, LogTracesTheRunOfTheRealPlugin) {
  const ScopedWorkDir dir;
  ASSERT_EQ(run("--log calc -c BB_3").status, 0);
  const auto log = read_file("usercorr.dbg");
  // The catalogue comes before the run setup, so the log starts with the
  // setup's header and ends with the cleanup.
  EXPECT_EQ(log.rfind("  Entering CORR_INT_SETUP", 0), 0U) << log;
  EXPECT_NE(log.find("Entering BB"), std::string::npos) << log;
  EXPECT_NE(log.find("  Leaving CORR_INT_CLEANUP"), std::string::npos) << log;
}

}  // namespace

// Several plug-ins at once: each name is called in the plug-in that offers
// it, a name two of them offer is refused naming both files, and a case's
// `plugins` are files relative to the case, not to the working folder.
class SeveralPlugins : public ::testing::Test {
 protected:
  // Copies of the test plug-in under other file names: separate images to
  // the loader, each offering LIN_3 and PRES_3.
  static void copy_mini(const std::filesystem::path& to) {
    std::filesystem::create_directories(to.parent_path());
    std::filesystem::copy_file(MINI_PLUGIN, to);
  }
  const ScopedWorkDir dir_;
};

TEST_F(SeveralPlugins, EachNameIsCalledInThePluginThatOffersIt) {
  const std::string both =
      "--lib {mini} --lib " + std::string(PIPECORR_PLUGIN) + " ";
  // LIN_3's known answer, 1100 Pa/m at this point, is only the test
  // plug-in's; BB_3 exists only in pipecorr's.
  const auto lin = run(both + "calc -c LIN_3 --diam 0.1 --fi 10");
  ASSERT_EQ(lin.status, 0) << lin.err;
  EXPECT_NE(lin.out.find("gradient     1100.000 Pa/m"), std::string::npos)
      << lin.out;
  const auto bb = run(both + "calc -c BB_3 --diam 0.1 --fi 10");
  ASSERT_EQ(bb.status, 0) << bb.err;
  EXPECT_EQ(bb.out.find("gradient     1100.000 Pa/m"), std::string::npos);
  const auto list = run(both + "list");
  ASSERT_EQ(list.status, 0) << list.err;
  for (const char* row : {"  LIN_3   1     3     double precision  yes       "
                          "libmini_plugin.so  Linear test correlation",
                          "  BB_3    1     3     double precision  yes       "
                          "libpipecorr.so     real*8 Beggs & Brill"}) {
    EXPECT_NE(list.out.find(row), std::string::npos) << list.out;
  }
  const auto unknown = run(both + "calc -c HB_9");
  EXPECT_EQ(unknown.status, 1);
  EXPECT_NE(unknown.err.find("libmini_plugin.so offers LIN_3, PRES_3; "
                             "libpipecorr.so offers BB_2, BB_3, ORBA_3"),
            std::string::npos)
      << unknown.err;
}

TEST_F(SeveralPlugins, ANameTwoPluginsOfferIsRefusedNamingBoth) {
  copy_mini("one/libfirst.so");
  copy_mini("two/libsecond.so");
  const auto result = run(
      "--lib one/libfirst.so --lib two/libsecond.so calc -c LIN_3 --diam 0.1");
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.err.find("correlation 'LIN_3' is offered by both "
                            "libfirst.so and libsecond.so"),
            std::string::npos)
      << result.err;
  // A name only one of them could be confused with is still refused, not
  // taken from the first.
  const auto pres = run(
      "--lib one/libfirst.so --lib two/libsecond.so calc -c pres_3 --diam 1");
  EXPECT_EQ(pres.status, 1) << pres.out;
  const auto twice =
      run("--lib one/libfirst.so --lib one/../one/libfirst.so list");
  EXPECT_EQ(twice.status, 1);
  EXPECT_NE(twice.err.find("is given twice"), std::string::npos) << twice.err;
}

TEST_F(SeveralPlugins, ACasesPluginsAreRelativeToTheCase) {
  copy_mini("cases/lib/libcase_plugin.so");
  write_file("cases/c.case",
             std::string(kCase) + "plugins = lib/libcase_plugin.so\n");
  write_file("cases/pipe.csv", kPipe);
  // Without the key the bundled plug-in would be loaded, which has no
  // LIN_3; the march gives the hand total 10e5 - 1100*100 - 450*200 Pa.
  const auto result = run("traverse cases/c.case -c LIN_3");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_NE(result.out.find("outlet pressure 8.000 bar after 300.0 m"),
            std::string::npos)
      << result.out;
  // --lib takes the case's place.
  const auto named = run("--lib {mini} traverse cases/c.case -c LIN_3");
  EXPECT_EQ(named.status, 0) << named.err;
  write_file("cases/bad.case", std::string(kCase) + "plugins = lib/x.so,\n");
  const auto bad = run("traverse cases/bad.case");
  EXPECT_EQ(bad.status, 1);
  EXPECT_NE(bad.err.find("cases/bad.case:12: key 'plugins': expected a "
                         "comma list of plug-in files, found an empty name"),
            std::string::npos)
      << bad.err;
}
