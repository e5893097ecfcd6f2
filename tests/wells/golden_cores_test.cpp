// The golden table of the well cores: each core's outputs on fixed points,
// one per pattern and a few failures, and the portable elementary
// functions on fixed arguments, as bit patterns. Written once by the native
// build (golden_cores_test --write FILE, the golden-cores target) and
// reproduced bit for bit by every target.
#include <gtest/gtest.h>

#include <bit>
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "portable_math/portable_math.hpp"
#include "wells/duns_ros.hpp"
#include "wells/gray.hpp"
#include "wells/hagedorn_brown.hpp"

namespace {

using pipecorr::wells::WellOutcome;
using pipecorr::wells::WellPoint;
using Core = WellOutcome (*)(const WellPoint&) noexcept;

std::string g_path;
bool g_write = false;

// usl usg rol rog visl visg eps sigma diam fi p
constexpr WellPoint kOil{0.3,    0.0,   780.0, 90.0, 2e-3, 1.6e-5,
                         1.8e-5, 0.012, 0.062, 90.0, 1.4e7};
constexpr WellPoint kMonograph{1.210056, 1.176528, 762.64,    94.189,
                               9.7e-4,   1.6e-5,   1.8288e-5, 8.41e-3,
                               0.1524,   90.0,     1.17211e7};
constexpr WellPoint kGas{0.002,  12.0,  650.0, 110.0, 4e-4, 1.8e-5,
                         1.8e-5, 0.006, 0.062, 90.0,  1.4e7};

WellPoint with(WellPoint p, double usl, double usg, double fi) {
  p.usl = usl;
  p.usg = usg;
  p.fi = fi;
  return p;
}

struct Case {
  std::string name;
  Core core;
  WellPoint point;
};

std::vector<Case> cases() {
  using pipecorr::wells::duns_ros;
  using pipecorr::wells::gray;
  using pipecorr::wells::hagedorn_brown;
  std::vector<Case> c;
  for (const auto& [core_name, core] :
       std::vector<std::pair<std::string, Core>>{
           {"HB_3", hagedorn_brown}, {"DR_3", duns_ros}, {"GRAY_3", gray}}) {
    const auto add = [&](const std::string& n, const WellPoint& p) {
      c.push_back({n + " " + core_name, core, p});
    };
    add("oil_low_gas", with(kOil, 0.3, 0.02, 90.0));
    add("monograph_well", kMonograph);
    add("oil_high_gas", with(kOil, 0.3, 3.0, 90.0));
    add("wet_gas", with(kGas, 0.05, 8.5, 90.0));
    add("gas_well", kGas);
    add("horizontal", with(kMonograph, 1.21, 1.18, 0.0));
    add("deviated", with(kMonograph, 1.21, 1.18, 35.0));
    add("downward", with(kMonograph, 1.21, 1.18, -60.0));
    add("liquid_only", with(kOil, 0.3, 0.0, 90.0));
    add("gas_only", with(kGas, 0.0, 12.0, 90.0));
    add("no_flow", with(kOil, 0.0, 0.0, 90.0));
    WellPoint bad = kMonograph;
    bad.sigma = 0.0;
    add("no_sigma", bad);
  }
  return c;
}

std::uint64_t bits(double v) { return std::bit_cast<std::uint64_t>(v); }

std::string row(const Case& c) {
  const WellOutcome o = c.core(c.point);
  char buf[256];
  std::snprintf(buf, sizeof buf,
                "%s dp=%016" PRIx64 " holdup=%016" PRIx64
                " id=%d fric=%016" PRIx64 " elev=%016" PRIx64 " msg=\"",
                c.name.c_str(), bits(o.dp), bits(o.holdup), o.pattern,
                bits(o.friction), bits(o.elevation));
  return buf + std::string(o.reason) + "\"";
}

std::vector<std::string> math_rows() {
  namespace pm = pipecorr::pm;
  const double args[] = {-1e300, -700.5, -3.7, -0.3, 1e-9, 0.1,    0.785,
                         1.0,    2.5,    9.9,  33.3, 1e5,  6.0e22, 1e300};
  std::vector<std::string> rows;
  for (const double x : args) {
    const double ax = x < 0 ? -x : x;
    char buf[320];
    std::snprintf(buf, sizeof buf,
                  "math %a exp=%016" PRIx64 " log=%016" PRIx64
                  " log10=%016" PRIx64 " pow=%016" PRIx64 " sin=%016" PRIx64
                  " cos=%016" PRIx64 " tanh=%016" PRIx64 " atan=%016" PRIx64,
                  x, bits(pm::exp(x)), bits(pm::log(ax)), bits(pm::log10(ax)),
                  bits(pm::pow(ax, 0.37)), bits(pm::sin(x)), bits(pm::cos(x)),
                  bits(pm::tanh(x)), bits(pm::atan(x)));
    rows.emplace_back(buf);
  }
  return rows;
}

std::vector<std::string> all_rows() {
  std::vector<std::string> rows;
  for (const Case& c : cases()) rows.push_back(row(c));
  for (const std::string& r : math_rows()) rows.push_back(r);
  return rows;
}

TEST(GoldenCores, EveryTargetReproducesTheNativeBits) {
  const std::vector<std::string> rows = all_rows();
  if (g_write) {
    std::ofstream out(g_path);
    ASSERT_TRUE(out) << "cannot write " << g_path;
    out << "# The well cores' outputs and the portable functions' results"
           " as bit\n# patterns, written by the native x86-64 build"
           " (golden-cores target).\n";
    for (const std::string& r : rows) out << r << "\n";
    return;
  }
  std::ifstream in(g_path);
  ASSERT_TRUE(in) << "cannot read " << g_path;
  std::vector<std::string> golden;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line[0] != '#') golden.push_back(line);
  }
  ASSERT_EQ(golden.size(), rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i], golden[i]);
  }
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--write") {
      g_write = true;
    } else {
      g_path = a;
    }
  }
  return RUN_ALL_TESTS();
}
