// The program under hostile input: inputs that once hung it, outputs that
// must land only where the user said, plug-ins that name what they do not
// own, and texts that must reach a terminal or a file harmlessly. Every run
// has a timeout in the launcher, so a hang fails its test instead of
// holding the suite. Everything happens inside a temporary folder.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fcntl.h>

#include <filesystem>
#include <string>

#include "cli/pipecorr_runner.hpp"
#include "support/work_dir.hpp"

namespace {

using pipecorr::testing::kTimedOut;
using pipecorr::testing::read_file;
using pipecorr::testing::run;
using pipecorr::testing::ScopedWorkDir;
using pipecorr::testing::write_file;

constexpr const char* kFlatCase =
    "profile = pipe.csv\n"
    "inlet_pressure = 10e5\n"
    "liquid_rate = 1e-10\n"
    "gas_rate = 0\n"
    "liquid_density = 1000\n"
    "liquid_viscosity = 0.001\n"
    "surface_tension = 0.07\n"
    "gas_density = 10\n"
    "reference_pressure = 10e5\n"
    "gas_viscosity = 1.8e-5\n";
constexpr const char* kTable =
    "usl,usg,rol,rog,visl,visg,eps,sigma,diam,fi,p\n"
    "1,2,1000,10,1e-3,1e-5,0,0.07,0.1,10,2e5\n";

std::size_t files_in_folder() {
  return static_cast<std::size_t>(
      std::distance(std::filesystem::directory_iterator("."),
                    std::filesystem::directory_iterator()));
}

// Two inputs that once never returned.
TEST(NoHang, FlatPressurePlotAndTinyReportInterval) {
  const ScopedWorkDir dir;
  write_file("c.case", kFlatCase);
  write_file("pipe.csv", "length,inclination,diameter,roughness\n10,0,1e8,0\n");
  const auto plot = run("--lib {mini} traverse c.case --svg t.svg", 30);
  EXPECT_EQ(plot.status, 0) << plot.err;
  EXPECT_EQ(read_file("t.svg").find("nan"), std::string::npos);
  const auto rows =
      run("traverse {examples}/deviated_well.case --every 1e-300", 30);
  EXPECT_EQ(rows.status, 0) << rows.err;
}

TEST(Outputs, ASymlinkIsReplacedNeverWrittenThrough) {
  const ScopedWorkDir dir;
  write_file("in.csv", kTable);
  write_file("target.txt", "keep me\n");
  std::filesystem::create_symlink("target.txt", "out.csv");
  std::filesystem::create_symlink("absent.txt", "dangling.csv");
  ASSERT_EQ(run("--lib {mini} batch in.csv -o out.csv").status, 0);
  ASSERT_EQ(run("--lib {mini} batch in.csv -o dangling.csv").status, 0);
  EXPECT_EQ(read_file("target.txt"), "keep me\n");
  EXPECT_FALSE(std::filesystem::exists("absent.txt"));
  EXPECT_TRUE(std::filesystem::is_regular_file(
      std::filesystem::symlink_status("out.csv")));
  EXPECT_NE(read_file("dangling.csv").find("LIN_3"), std::string::npos);
}

TEST(Outputs, AFifoIsWrittenInPlaceAndStandardOutputByDash) {
  const ScopedWorkDir dir;
  write_file("in.csv", kTable);
  ASSERT_EQ(::mkfifo("pipe", 0600), 0);
  // A reader first, so the program's open for writing does not wait.
  const int reader = ::open("pipe", O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  const auto result = run("--lib {mini} batch in.csv -o pipe", 30);
  std::string got(4096, '\0');
  const auto n = ::read(reader, got.data(), got.size());
  ::close(reader);
  EXPECT_EQ(result.status, 0) << result.err;
  ASSERT_GT(n, 0);
  EXPECT_NE(got.find("LIN_3,1100"), std::string::npos);
  struct stat info {};
  ASSERT_EQ(::lstat("pipe", &info), 0);
  EXPECT_TRUE(S_ISFIFO(info.st_mode)) << "the FIFO became a plain file";
  const auto dash = run("--lib {mini} batch - -o - < in.csv");
  EXPECT_NE(dash.out.find("LIN_3,1100"), std::string::npos) << dash.err;
}

TEST(Outputs, ClashingOrUnwritableOutputsStopBeforeAnythingIsWritten) {
  const ScopedWorkDir dir;
  const auto same = run("--lib {mini} map --points 4 --svg x --csv ./x");
  EXPECT_EQ(same.status, 1);
  EXPECT_NE(same.err.find("two outputs name the same file"), std::string::npos)
      << same.err;
  const auto second =
      run("--lib {mini} map --points 4 --svg m.svg --csv "
          "nowhere/m.csv");
  EXPECT_EQ(second.status, 1);
  EXPECT_NE(second.err.find("folder 'nowhere' does not exist"),
            std::string::npos)
      << second.err;
  EXPECT_FALSE(std::filesystem::exists("m.svg"));
  EXPECT_EQ(files_in_folder(), 2U);  // out.txt and err.txt of the runs
}

// An output that is one of the job's inputs, under any name, is refused
// before anything is computed, and every input keeps its contents.
struct InputAsOutput {
  const char* name;
  const char* arguments;
  const char* refusal;
};

void PrintTo(const InputAsOutput& row, std::ostream* out) { *out << row.name; }

class OutputNamingAnInput : public ::testing::TestWithParam<InputAsOutput> {};

TEST_P(OutputNamingAnInput, IsRefusedAndTheInputKept) {
  const ScopedWorkDir dir;
  for (const char* file :
       {"field_well.case", "field_well_survey.csv", "deviated_well.case",
        "deviated_well_profile.csv", "points.csv"}) {
    std::filesystem::copy_file(std::string(EXAMPLES_DIR) + "/" + file, file);
  }
  // A copy of the plug-in: a refusal that failed must not cost the build
  // its test plug-in.
  std::filesystem::copy_file(MINI_PLUGIN, "plugin.so");
  std::filesystem::create_symlink("points.csv", "link.csv");
  std::filesystem::create_hard_link("points.csv", "hard.csv");
  ASSERT_EQ(::mkfifo("fifo", 0600), 0);
  const auto before =
      read_file("plugin.so") + read_file("points.csv") +
      read_file("field_well.case") + read_file("field_well_survey.csv") +
      read_file("deviated_well.case") + read_file("deviated_well_profile.csv");
  const std::size_t entries = files_in_folder() + 2;  // out.txt, err.txt
  const auto result = run(GetParam().arguments, 30);
  EXPECT_EQ(result.status, 1) << result.err;
  EXPECT_NE(result.err.find(GetParam().refusal), std::string::npos)
      << result.err;
  EXPECT_NE(result.err.find("an output may not replace an input"),
            std::string::npos);
  EXPECT_EQ(read_file("plugin.so") + read_file("points.csv") +
                read_file("field_well.case") +
                read_file("field_well_survey.csv") +
                read_file("deviated_well.case") +
                read_file("deviated_well_profile.csv"),
            before);
  EXPECT_EQ(files_in_folder(), entries);  // no temporary file left either
}

INSTANTIATE_TEST_SUITE_P(
    Outputs, OutputNamingAnInput,
    ::testing::Values(
        InputAsOutput{"picture_over_the_case",
                      "traverse field_well.case --svg field_well.case",
                      "traverse picture 'field_well.case' is the case file"},
        InputAsOutput{"table_over_the_survey",
                      "traverse field_well.case -o field_well_survey.csv",
                      "is the table 'field_well_survey.csv'"},
        InputAsOutput{"lift_picture_over_the_survey",
                      "lift field_well.case --svg ./field_well_survey.csv",
                      "lift picture './field_well_survey.csv' is the table"},
        InputAsOutput{"table_over_the_profile_spelt_otherwise",
                      "traverse deviated_well.case -o "
                      "../$(basename $PWD)/deviated_well_profile.csv",
                      "is the profile 'deviated_well_profile.csv'"},
        InputAsOutput{"batch_over_its_table", "batch points.csv -o points.csv",
                      "output table 'points.csv' is the input table "
                      "'points.csv'"},
        InputAsOutput{"batch_over_a_link_to_its_table",
                      "batch points.csv -o link.csv",
                      "output table 'link.csv' is the input table"},
        InputAsOutput{"batch_over_another_name_of_its_table",
                      "batch points.csv -o hard.csv",
                      "output table 'hard.csv' is the input table"},
        InputAsOutput{"batch_over_the_file_on_standard_input",
                      "batch - -o points.csv < points.csv",
                      "is the input table (standard input)"},
        InputAsOutput{"batch_over_dev_stdin",
                      "batch /dev/stdin -o points.csv < points.csv",
                      "is the input table '/dev/stdin'"},
        InputAsOutput{"batch_into_the_fifo_it_reads", "batch fifo -o fifo",
                      "output table 'fifo' is the input table 'fifo'"},
        InputAsOutput{"map_over_the_plug_in",
                      "--lib plugin.so map --points 4 --csv ./plugin.so",
                      "is the plug-in library"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(Inputs, FifosAreRefusedWithoutBlocking) {
  const ScopedWorkDir dir;
  ASSERT_EQ(::mkfifo("fifo", 0600), 0);
  const auto lib = run("--lib fifo list", 30);
  EXPECT_EQ(lib.status, 1);
  EXPECT_NE(lib.err.find("is not a regular file"), std::string::npos)
      << lib.err;
  const auto casefile = run("--lib {mini} traverse fifo", 30);
  EXPECT_EQ(casefile.status, 1) << casefile.err;
  write_file("c.case", std::string(kFlatCase) + "title = x\n");
  std::filesystem::rename("fifo", "pipe.csv");
  const auto profile = run("--lib {mini} traverse c.case", 30);
  EXPECT_EQ(profile.status, 1);
  EXPECT_NE(profile.err.find("profile 'pipe.csv' is not a regular file"),
            std::string::npos)
      << profile.err;
}

TEST(DebugLog, NeverThroughALinkNorAFifo) {
  const ScopedWorkDir dir;
  write_file("elsewhere", "precious\n");
  std::filesystem::create_symlink("elsewhere", "usercorr.dbg");
  const auto linked = run("--lib {mini} --log calc");
  EXPECT_EQ(linked.status, 1);
  EXPECT_NE(linked.err.find("is a symbolic link"), std::string::npos)
      << linked.err;
  EXPECT_EQ(read_file("elsewhere"), "precious\n");
  std::filesystem::remove("usercorr.dbg");
  ASSERT_EQ(::mkfifo("usercorr.dbg", 0600), 0);
  const auto fifo = run("--lib {mini} --log calc", 30);
  EXPECT_EQ(fifo.status, 1);
  EXPECT_NE(fifo.err.find("exists but is not a regular file"),
            std::string::npos)
      << fifo.err;
}

// Without --log the plug-in itself meets the planted names: each command
// runs untraced and leaves them and what they point to as they were.
TEST(DebugLog, APlantedNameIsNeverWrittenThroughByAnyCommand) {
  const ScopedWorkDir dir;
  write_file("in.csv", kTable);
  write_file("victim.txt", "precious\n");
  for (const char* command :
       {"calc", "batch in.csv", "traverse {examples}/deviated_well.case",
        "traverse {examples}/field_well.case"}) {
    std::filesystem::create_symlink("victim.txt", "usercorr.dbg");
    const auto linked = run(command);
    EXPECT_EQ(linked.status, 0) << command << linked.err;
    EXPECT_EQ(read_file("victim.txt"), "precious\n") << command;
    std::filesystem::remove("usercorr.dbg");
    std::filesystem::create_hard_link("victim.txt", "usercorr.dbg");
    EXPECT_EQ(run(command).status, 0) << command;
    EXPECT_EQ(read_file("victim.txt"), "precious\n") << command;
    std::filesystem::remove("usercorr.dbg");
  }
}

// The advice for a refused --log: what is safe, never "remove it" alone.
TEST(DebugLog, ARefusedLogSaysWhatIsSafe) {
  const ScopedWorkDir dir;
  write_file("victim.txt", "precious\n");
  std::filesystem::create_symlink("victim.txt", "usercorr.dbg");
  const auto linked = run("--log calc");
  EXPECT_EQ(linked.status, 1);
  EXPECT_NE(linked.err.find("remove the link (what it points to is not "
                            "touched)"),
            std::string::npos)
      << linked.err;
  EXPECT_NE(linked.err.find("leaves the link and its target alone"),
            std::string::npos)
      << linked.err;
  std::filesystem::remove("usercorr.dbg");
  std::filesystem::create_hard_link("victim.txt", "usercorr.dbg");
  const auto hard = run("--log calc");
  EXPECT_EQ(hard.status, 1);
  EXPECT_NE(hard.err.find("has other names (hard links)"), std::string::npos)
      << hard.err;
  EXPECT_EQ(read_file("victim.txt"), "precious\n");
}

TEST(DebugLog, AReadOnlyLogSaysSo) {
  if (::geteuid() == 0) GTEST_SKIP() << "root may write a read-only file";
  const ScopedWorkDir dir;
  write_file("usercorr.dbg", "");
  std::filesystem::permissions("usercorr.dbg",
                               std::filesystem::perms::owner_read);
  const auto result = run("--lib {mini} --log calc");
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.err.find("exists but cannot be written"), std::string::npos)
      << result.err;
}

// A catalogue naming abort, free or the plug-in's own COPYRIGHT_I must not
// make the host call them; a description with escape sequences reaches the
// terminal escaped.
TEST(HostilePlugin, NamesItDoesNotOwnAreNeverCalled) {
  const ScopedWorkDir dir;
  for (const char* name : {"abort", "free", "COPYRIGHT_I"}) {
    const auto result = run(std::string("--lib {hostile} calc -c ") + name);
    EXPECT_EQ(result.status, 1) << name << result.err;
  }
  const auto list = run("--lib {hostile} list");
  ASSERT_EQ(list.status, 0) << list.err;
  EXPECT_EQ(list.out.find('\x1b'), std::string::npos);
  EXPECT_EQ(list.out.find('\a'), std::string::npos);
  EXPECT_NE(list.out.find("\\x1B[31mred\\x1B[0m and a bell\\x07"),
            std::string::npos)
      << list.out;
  EXPECT_NE(list.out.find("abort        1     3     double precision  NO"),
            std::string::npos)
      << list.out;
}

// A result that is not finite is the correlation's failure, in every job.
TEST(HostilePlugin, NonFiniteResultsAreFailures) {
  const ScopedWorkDir dir;
  write_file("in.csv", kTable);  // usl 1 -> WILD_3 gives dp -1e308: finite
  write_file("big.csv",
             "usl,usg,rol,rog,visl,visg,eps,sigma,diam,fi,p\n"
             "2,2,1000,10,1e-3,1e-5,0,0.07,0.1,10,2e5\n");
  const auto batch = run("--lib {hostile} batch big.csv -c WILD_3");
  EXPECT_EQ(batch.status, 2);
  EXPECT_NE(batch.err.find("1 rows: 0 computed, 1 failed in the correlation"),
            std::string::npos)
      << batch.err;
  write_file("c.case", std::string(kFlatCase) + "title = wild\n");
  write_file("pipe.csv",
             "length,inclination,diameter,roughness\n100,0,0.1,0\n");
  const auto traverse = run("--lib {hostile} traverse c.case -c WILD_3");
  EXPECT_EQ(traverse.status, 2);
  EXPECT_EQ(traverse.out.find("inf"), std::string::npos) << traverse.out;
}

TEST(Texts, ControlCharactersAndNulReachTheTerminalEscapedAndWhole) {
  const ScopedWorkDir dir;
  write_file("in.csv", std::string("usl,usg,rol,rog,visl,visg,eps,sigma,"
                                   "diam,fi,p\n1,2,\x1b[2J") +
                           std::string(1, '\0') +
                           "x,10,1e-3,1e-5,0,0.07,0.1,"
                           "10,2e5\n");
  const auto result = run("--lib {mini} batch in.csv -o out.csv");
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.err.find('\x1b'), std::string::npos);
  EXPECT_NE(result.err.find("column 'rol': '\\x1B[2J\\x00x' is not a number"),
            std::string::npos)
      << result.err;
}

TEST(Map, RefusesARangeTooNarrowToDraw) {
  const ScopedWorkDir dir;
  const auto result =
      run("--lib {mini} map --usl-min 1e10 --usl-max 1.0000000000000002e10");
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.err.find("too narrow to draw"), std::string::npos)
      << result.err;
  EXPECT_FALSE(std::filesystem::exists("flow-map.svg"));
}

TEST(Map, CountsAreReadAsDecimals) {
  const ScopedWorkDir dir;
  ASSERT_EQ(run("--lib {mini} map --points 010 --csv m.csv").status, 0);
  const auto csv = read_file("m.csv");
  EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 101);  // 10 x 10 + 1
}

// Columns the host does not know stay in place; an input may come from an
// option; a row's correlation matches ignoring case.
TEST(Batch, CarriesOtherColumnsAndTakesOptionsForMissingOnes) {
  const ScopedWorkDir dir;
  write_file("in.csv",
             "case,usl,usg,rol,rog,visl,visg,eps,sigma,diam,fi,note,"
             "correlation\n"
             "A-1,1,2,1000,10,1e-3,1e-5,0,0.07,0.1,10,\"first, wet\",lin_3\n");
  const auto result = run("--lib {mini} batch in.csv --p 2e5");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out,
            "case,usl_m_per_s,usg_m_per_s,rol_kg_per_m3,rog_kg_per_m3,"
            "visl_Pa_s,visg_Pa_s,eps_m,sigma_N_per_m,diam_m,fi_deg,note,"
            "correlation,p_Pa,dp_Pa_per_m,holdup,id,pattern,ierr,errmsg\n"
            "A-1,1,2,1000,10,1e-3,1e-5,0,0.07,0.1,10,\"first, wet\",lin_3,"
            "2e+05,1100,0.3333333333333333,7,intermittent,0,\n");
}

}  // namespace
