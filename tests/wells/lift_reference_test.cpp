// HB_3, DR_3 and GRAY_3 against their second transcription
// (lift_reference.py: Python, field units, from the published equations):
// the same pattern or failure reason on every point, and gradient and
// holdup within what two different evaluation orders and maths libraries
// leave (1e-12 relative; they agree to 4e-15).
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "wells/duns_ros.hpp"
#include "wells/gray.hpp"
#include "wells/hagedorn_brown.hpp"

namespace {

using pipecorr::wells::WellOutcome;
using pipecorr::wells::WellPoint;

std::string g_table;

using Core = WellOutcome (*)(const WellPoint&) noexcept;
const std::map<std::string, Core> kCores = {
    {"HB_3", pipecorr::wells::hagedorn_brown},
    {"DR_3", pipecorr::wells::duns_ros},
    {"GRAY_3", pipecorr::wells::gray}};

double hex(const std::string& s) { return std::strtod(s.c_str(), nullptr); }

TEST(LiftReference, EveryPointAgreesWithTheSecondTranscription) {
  std::ifstream in(g_table);
  ASSERT_TRUE(in) << "cannot read " << g_table;
  std::string line;
  int rows = 0;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream f(line);
    std::string name;
    f >> name;
    std::string v[11];
    for (auto& s : v) f >> s;
    WellPoint pt{hex(v[0]), hex(v[1]), hex(v[2]), hex(v[3]),
                 hex(v[4]), hex(v[5]), hex(v[6]), hex(v[7]),
                 hex(v[8]), hex(v[9]), hex(v[10])};
    const WellOutcome out = kCores.at(name)(pt);
    std::string first;
    f >> first;
    SCOPED_TRACE(line);
    ++rows;
    if (first == "fail") {
      std::string reason;
      std::getline(f, reason);
      EXPECT_FALSE(out.ok());
      EXPECT_EQ(out.reason, reason.substr(1));
      continue;
    }
    ASSERT_TRUE(out.ok()) << out.reason;
    std::string holdup, pattern;
    f >> holdup >> pattern;
    const double dp = hex(first);
    EXPECT_NEAR(out.dp, dp, 1e-12 * std::fabs(dp) + 1e-12);
    EXPECT_NEAR(out.holdup, hex(holdup), 1e-12);
    EXPECT_EQ(out.pattern, std::stoi(pattern));
    EXPECT_NEAR(out.elevation + out.friction, out.dp, 1e-12 * std::fabs(dp));
  }
  EXPECT_GT(rows, 600);
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc > 1) g_table = argv[1];
  return RUN_ALL_TESTS();
}
