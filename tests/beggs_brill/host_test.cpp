// BB_2 and BB_3 through the built plug-in, from a host that runs with
// floating-point exceptions unmasked: bad inputs must come back as the
// failure exit, never as a trap, and the host's settings must survive.
#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "pipecorr/pipecorr.h"
#include "support/plugin_library.hpp"

namespace {

std::string g_library_path;

// Unmasks the traps a careful host turns on, around one call (the test's
// own arithmetic, such as rounding 1e300 to float, stays outside).
class TrappingHost {
 public:
  TrappingHost() {
#if defined(__GLIBC__)
    std::feclearexcept(FE_ALL_EXCEPT);
    feenableexcept(kTraps);
#endif
  }
  ~TrappingHost() {
#if defined(__GLIBC__)
    fedisableexcept(FE_ALL_EXCEPT);
#endif
  }
  TrappingHost(const TrappingHost&) = delete;
  TrappingHost& operator=(const TrappingHost&) = delete;

  [[nodiscard]] static bool traps_still_on() {
#if defined(__GLIBC__)
    return fegetexcept() == kTraps;
#else
    return true;
#endif
  }

 private:
  static constexpr int kTraps = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW;
};

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct HostPoint {
  double v[11] = {0.5,     2,     800, 40, 0.002, 0.00002,
                  0.00005, 0.025, 0.1, 10, 500000};
};

struct BadInput {
  const char* name;
  int index;  // into HostPoint::v: usl usg rol rog visl visg eps sigma diam
              // fi p
  double value;
};

const BadInput kBadInputs[] = {
    {"NaN liquid velocity", 0, kNaN},
    {"infinite gas velocity", 1, kInf},
    {"negative liquid velocity", 0, -1},
    {"zero liquid density", 2, 0},
    {"negative liquid density", 2, -800},
    {"NaN gas density", 3, kNaN},
    {"zero viscosities", 4, 0},  // with visg zeroed below
    {"NaN roughness", 6, kNaN},
    {"zero surface tension", 7, 0},
    {"zero diameter", 8, 0},
    {"negative diameter", 8, -0.1},
    {"infinite inclination", 9, -kInf},
    {"NaN pressure", 10, kNaN},
    {"velocity beyond single range", 0, 1e300},
    {"no flow", 1, 0},  // with usl zeroed below
};

HostPoint bad_point(const BadInput& bad) {
  HostPoint h;
  h.v[bad.index] = bad.value;
  if (bad.index == 4) h.v[5] = 0;
  if (bad.index == 1 && bad.value == 0) h.v[0] = 0;
  return h;
}

const std::string kPrefix = "Unable to calculate flow regime: ";

TEST(PluginHost, ExportsBothEntries) {
  const pipecorr::testing::PluginLibrary plugin(g_library_path);
  EXPECT_NE(plugin.entry<pipecorr_corr_single_fn>("BB_2"), nullptr);
  EXPECT_NE(plugin.entry<pipecorr_corr_double_fn>("BB_3"), nullptr);
}

TEST(PluginHost, SinglePrecisionBadInputsWithTrapsUnmasked) {
  const pipecorr::testing::PluginLibrary plugin(g_library_path);
  const auto bb_2 = plugin.entry<pipecorr_corr_single_fn>("BB_2");
  ASSERT_NE(bb_2, nullptr);
  for (const BadInput& bad : kBadInputs) {
    const HostPoint h = bad_point(bad);
    float in[11];
    for (int k = 0; k < 11; ++k) in[k] = static_cast<float>(h.v[k]);
    float xinfo = 0, dp = -1, holdup = -1;
    std::int32_t id = 0, iaux = 1, ierr = 0;
    std::string errmsg(150, '#');
    bool traps_kept = false;
    {
      const TrappingHost host;
      bb_2(&xinfo, &in[0], &in[1], &in[2], &in[3], &in[4], &in[5], &in[6],
           &in[7], &in[8], &in[9], &in[10], &dp, &holdup, &id, &iaux, &ierr,
           errmsg.data(), 150);
      traps_kept = TrappingHost::traps_still_on();
    }
    EXPECT_EQ(ierr, 3) << bad.name;
    EXPECT_EQ(id, -1) << bad.name;
    EXPECT_EQ(dp, 0.0f) << bad.name;
    EXPECT_EQ(holdup, 0.0f) << bad.name;
    EXPECT_EQ(iaux, 0) << bad.name;
    EXPECT_EQ(xinfo, 1.0f) << bad.name;
    EXPECT_EQ(errmsg.substr(0, kPrefix.size()), kPrefix) << bad.name;
    EXPECT_TRUE(traps_kept) << bad.name;
  }
}

TEST(PluginHost, DoublePrecisionBadInputsWithTrapsUnmasked) {
  const pipecorr::testing::PluginLibrary plugin(g_library_path);
  const auto bb_3 = plugin.entry<pipecorr_corr_double_fn>("BB_3");
  ASSERT_NE(bb_3, nullptr);
  for (const BadInput& bad : kBadInputs) {
    HostPoint h = bad_point(bad);
    double* in = h.v;
    double xinfo = 0, dp = -1, holdup = -1;
    std::int32_t id = 0, iaux = 1, ierr = 0;
    std::string errmsg(150, '#');
    bool traps_kept = false;
    {
      const TrappingHost host;
      bb_3(&xinfo, &in[0], &in[1], &in[2], &in[3], &in[4], &in[5], &in[6],
           &in[7], &in[8], &in[9], &in[10], &dp, &holdup, &id, &iaux, &ierr,
           errmsg.data(), 0);
      traps_kept = TrappingHost::traps_still_on();
    }
    EXPECT_EQ(ierr, 3) << bad.name;
    EXPECT_EQ(id, -1) << bad.name;
    EXPECT_EQ(dp, 0.0) << bad.name;
    EXPECT_EQ(holdup, 0.0) << bad.name;
    EXPECT_EQ(errmsg.substr(0, kPrefix.size()), kPrefix) << bad.name;
    EXPECT_TRUE(traps_kept) << bad.name;
  }
}

TEST(PluginHost, DryGasWithTrapsUnmasked) {
  // 0/0 is where the friction multiplier would come from: the dry-gas line
  // must neither trap nor fail.
  const pipecorr::testing::PluginLibrary plugin(g_library_path);
  const auto bb_3 = plugin.entry<pipecorr_corr_double_fn>("BB_3");
  ASSERT_NE(bb_3, nullptr);
  HostPoint h;
  h.v[0] = 0;
  double* in = h.v;
  double xinfo = 0, dp = -1, holdup = -1;
  std::int32_t id = 0, iaux = 1, ierr = -1;
  std::string errmsg(150, '#');
  bool traps_kept = false;
  {
    const TrappingHost host;
    bb_3(&xinfo, &in[0], &in[1], &in[2], &in[3], &in[4], &in[5], &in[6], &in[7],
         &in[8], &in[9], &in[10], &dp, &holdup, &id, &iaux, &ierr,
         errmsg.data(), 150);
    traps_kept = TrappingHost::traps_still_on();
  }
  EXPECT_EQ(ierr, 0);
  EXPECT_EQ(id, 8);
  EXPECT_EQ(holdup, 0.0);
  EXPECT_TRUE(std::isfinite(dp));
  EXPECT_GT(dp, 0.0);
  EXPECT_EQ(errmsg, std::string(150, ' '));
  EXPECT_TRUE(traps_kept);
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  g_library_path = pipecorr::testing::plugin_path_from(argc, argv);
  return RUN_ALL_TESTS();
}
