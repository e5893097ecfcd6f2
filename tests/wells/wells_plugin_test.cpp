// libpipecorr_wells as a host loads it: its catalogue against its exports,
// each entry against its core (the host's 19 arguments land where they
// belong), the failure result, and its own log file beside libpipecorr's.
//
//   wells_plugin_test LIBRARY [gtest flags]
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "pipecorr/pipecorr.h"
#include "support/plugin_library.hpp"
#include "support/work_dir.hpp"
#include "wells/ansari.hpp"
#include "wells/gray.hpp"
#include "wells/hagedorn_brown.hpp"
#include "wells/mukherjee_brill.hpp"

namespace {

using pipecorr::testing::PluginLibrary;
using pipecorr::testing::read_file;
using pipecorr::testing::ScopedWorkDir;
using pipecorr::testing::write_file;
using pipecorr::wells::WellOutcome;
using pipecorr::wells::WellPoint;

std::string g_library_path;

std::string padded(const std::string& text, std::size_t length) {
  return text + std::string(length - text.size(), ' ');
}

struct Call {
  double dp = -7.0, holdup = -7.0;
  int32_t id = -7, iaux = -7, ierr = -7;
  double xinfo = -7.0;
  std::string errmsg;
};

Call call(const PluginLibrary& plugin, const char* name, const WellPoint& p) {
  const auto entry = plugin.entry<pipecorr_corr_double_fn>(name);
  Call c;
  char errmsg[PIPECORR_ERRMSG_LEN + 1];
  std::memset(errmsg, '#', sizeof errmsg);
  entry(&c.xinfo, &p.usl, &p.usg, &p.rol, &p.rog, &p.visl, &p.visg, &p.eps,
        &p.sigma, &p.diam, &p.fi, &p.p, &c.dp, &c.holdup, &c.id, &c.iaux,
        &c.ierr, errmsg, PIPECORR_ERRMSG_LEN);
  EXPECT_EQ(errmsg[PIPECORR_ERRMSG_LEN], '#') << name << " wrote past errmsg";
  c.errmsg.assign(errmsg, PIPECORR_ERRMSG_LEN);
  return c;
}

// An oil well point; every input differs from the others, so two swapped
// arguments change the answer.
WellPoint oil_point() {
  WellPoint p;
  p.usl = 0.61;
  p.usg = 1.43;
  p.rol = 802.0;
  p.rog = 71.0;
  p.visl = 2.1e-3;
  p.visg = 1.3e-5;
  p.eps = 4.6e-5;
  p.sigma = 0.021;
  p.diam = 0.0759;
  p.fi = 83.0;
  p.p = 9.7e6;
  return p;
}

TEST(WellsPlugin, CatalogueOffersExactlyItsExportsWithTheDoubleArgumentList) {
  PluginLibrary plugin(g_library_path);
  const auto describe = plugin.entry<pipecorr_descriptn_fn>("DESCRIPTN_2");
  char names[5 * 40];
  char descs[5 * 80];
  int32_t types[5] = {0, 0, 0, 0, -5};
  int32_t link[5] = {0, 0, 0, 0, -5};
  int32_t lines = 0;
  std::memset(names, '#', sizeof names);
  describe(names, 40, types, descs, 80, link, &lines);
  ASSERT_EQ(lines, 4);
  const char* expected[] = {"HB_3", "GRAY_3", "MB_3", "ANSARI_3"};
  for (int row = 0; row < 4; ++row) {
    EXPECT_EQ(std::string(names + 40 * row, 40), padded(expected[row], 40));
    EXPECT_EQ(types[row], 1);
    EXPECT_EQ(link[row], PIPECORR_LINK_DOUBLE);
    EXPECT_NO_THROW((void)plugin.entry<pipecorr_corr_double_fn>(expected[row]));
  }
  EXPECT_EQ(std::string(names + 160, 40), std::string(40, '#'));
  EXPECT_EQ(types[4], -5);
  // Duns & Ros is not offered while its charts are provisional.
  EXPECT_THROW((void)plugin.entry<pipecorr_corr_double_fn>("DR_3"),
               std::runtime_error);
}

// Each export hands the core exactly the host's point and the host exactly
// the core's outcome: points in different patterns of each correlation.
TEST(WellsPlugin, EachEntryAnswersWhatItsCoreAnswers) {
  PluginLibrary plugin(g_library_path);
  struct Case {
    const char* name;
    WellOutcome (*core)(const WellPoint&) noexcept;
  };
  const Case cases[] = {{"HB_3", pipecorr::wells::hagedorn_brown},
                        {"GRAY_3", pipecorr::wells::gray},
                        {"MB_3", pipecorr::wells::mukherjee_brill},
                        {"ANSARI_3", pipecorr::wells::ansari}};
  const double gas_rates[] = {0.0, 0.05, 1.43, 12.0, 40.0};
  const double inclinations[] = {83.0, 0.0, -30.0};
  for (const Case& c : cases) {
    for (const double usg : gas_rates) {
      for (const double fi : inclinations) {
        WellPoint p = oil_point();
        p.usg = usg;
        p.fi = fi;
        const WellOutcome want = c.core(p);
        const Call got = call(plugin, c.name, p);
        ASSERT_TRUE(want.ok()) << c.name << ": " << want.reason;
        EXPECT_EQ(got.dp, want.dp) << c.name << " usg " << usg << " fi " << fi;
        EXPECT_EQ(got.holdup, want.holdup);
        EXPECT_EQ(got.id, want.pattern);
        EXPECT_EQ(got.ierr, PIPECORR_OK);
        EXPECT_EQ(got.iaux, 0);
        EXPECT_EQ(got.xinfo, 1.0);
        EXPECT_EQ(got.errmsg, std::string(PIPECORR_ERRMSG_LEN, ' '));
      }
    }
  }
}

TEST(WellsPlugin, AnInputOutsideTheDomainIsTheFailureResultWithItsReason) {
  PluginLibrary plugin(g_library_path);
  WellPoint p = oil_point();
  p.diam = 0.0;
  for (const char* name : {"HB_3", "GRAY_3", "MB_3", "ANSARI_3"}) {
    const Call got = call(plugin, name, p);
    EXPECT_EQ(got.ierr, PIPECORR_NO_FLOW_REGIME) << name;
    EXPECT_EQ(got.dp, 0.0);
    EXPECT_EQ(got.holdup, 0.0);
    EXPECT_EQ(got.id, PIPECORR_PATTERN_NONE);
    EXPECT_EQ(got.xinfo, 1.0);
    EXPECT_EQ(got.errmsg,
              padded("Unable to calculate flow regime: pipe diameter must be "
                     "positive",
                     PIPECORR_ERRMSG_LEN));
  }
}

// The plug-in keeps its log in pipecorr_wells.dbg and leaves libpipecorr's
// usercorr.dbg alone, so both can serve one host run.
TEST(WellsPlugin, LogsIntoItsOwnFileOnly) {
  ScopedWorkDir dir;
  const std::string other = "  a libpipecorr trace\r\n";
  write_file("usercorr.dbg", other);
  write_file("pipecorr_wells.dbg", "an old run\r\n");
  PluginLibrary plugin(g_library_path);
  plugin.entry<pipecorr_run_fn>("CORR_INT_SETUP")();
  const std::string header = read_file("pipecorr_wells.dbg");
  ASSERT_EQ(header.rfind("  Entering CORR_INT_SETUP\r\n", 0), 0u) << header;
  EXPECT_EQ(header.find("an old run"), std::string::npos);
  const Call got = call(plugin, "HB_3", oil_point());
  plugin.entry<pipecorr_run_fn>("CORR_INT_CLEANUP")();
  const std::string log = read_file("pipecorr_wells.dbg").substr(header.size());
  EXPECT_EQ(log.rfind("  Entering HB_3\r\n     usl = ", 0), 0u) << log;
  EXPECT_NE(log.find("\r\n leaving HB_3 with DP="), std::string::npos);
  EXPECT_EQ(log.substr(log.size() - 28), "  Leaving CORR_INT_CLEANUP\r\n");
  EXPECT_EQ(got.ierr, PIPECORR_OK);
  EXPECT_EQ(read_file("usercorr.dbg"), other);
  // A run setup without the file turns this plug-in's log off.
  std::filesystem::remove("pipecorr_wells.dbg");
  plugin.entry<pipecorr_run_fn>("CORR_INT_SETUP")();
  (void)call(plugin, "MB_3", oil_point());
  EXPECT_FALSE(std::filesystem::exists("pipecorr_wells.dbg"));
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: wells_plugin_test LIBRARY\n");
    return 2;
  }
  g_library_path = argv[1];
  return RUN_ALL_TESTS();
}
