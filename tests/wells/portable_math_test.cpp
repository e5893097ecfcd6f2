// The portable elementary functions: their error bound against an
// independent 2000-bit table (portable_math_reference.py), C99's special
// values, and (where long double has 64 bits) a random sweep that prints
// the measured worst errors.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <limits>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "portable_math/portable_math.hpp"

namespace pm = pipecorr::pm;

namespace {

std::string g_reference_path;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

double call(const std::string& name, double x, double y) {
  if (name == "exp") return pm::exp(x);
  if (name == "log") return pm::log(x);
  if (name == "log10") return pm::log10(x);
  if (name == "pow") return pm::pow(x, y);
  if (name == "sin") return pm::sin(x);
  if (name == "cos") return pm::cos(x);
  if (name == "tanh") return pm::tanh(x);
  if (name == "atan") return pm::atan(x);
  ADD_FAILURE() << "unknown function " << name;
  return kNaN;
}

// The stated bounds (portable_math.hpp), in ulps of the exact value.
const std::map<std::string, double> kBound = {
    {"exp", 0.52}, {"log", 0.52}, {"log10", 0.52}, {"pow", 0.52},
    {"sin", 0.6},  {"cos", 0.6},  {"tanh", 0.6},   {"atan", 0.6}};

// One ulp of the double nearest the exact value hi + lo.
double ulp_of(double hi) {
  const double a = std::fabs(hi);
  if (a < DBL_MIN) return std::ldexp(1.0, -1074);
  int e = 0;
  std::frexp(a, &e);
  return std::ldexp(1.0, e - 53);
}

// |got - (hi + lo)| in ulps; got - hi is exact for nearby values.
double ulps(double got, double hi, double lo) {
  return std::fabs((got - hi) - lo) / ulp_of(hi);
}

TEST(PortableMath, WithinItsBoundOnTheReferenceTable) {
  std::ifstream in(g_reference_path);
  ASSERT_TRUE(in) << "cannot read " << g_reference_path;
  std::map<std::string, double> worst;
  std::map<std::string, int> rows;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    std::string name, xs, ys, his, los;
    fields >> name >> xs >> ys >> his >> los;
    const double x = std::strtod(xs.c_str(), nullptr);
    const double y = std::strtod(ys.c_str(), nullptr);
    const double hi = std::strtod(his.c_str(), nullptr);
    const double lo = std::strtod(los.c_str(), nullptr);
    const double got = call(name, x, y);
    // A subnormal result is rounded twice (faithful), and the table's lo
    // is itself rounded to the subnormal grid: one ulp from the nearest.
    const bool subnormal = std::fabs(hi) < DBL_MIN;
    const double e =
        subnormal ? std::fabs(got - hi) / ulp_of(hi) : ulps(got, hi, lo);
    EXPECT_LE(e, subnormal ? 1.0 : kBound.at(name))
        << name << "(" << xs << ", " << ys << ") = " << std::hexfloat << got
        << ", exact " << his << " + " << los;
    if (!subnormal) worst[name] = std::max(worst[name], e);
    ++rows[name];
  }
  for (const auto& [name, e] : worst) {
    std::printf("reference table  %-6s %4d rows  worst %.4f ulp\n",
                name.c_str(), rows[name], e);
  }
  EXPECT_EQ(rows.size(), 8u);
}

struct Special {
  const char* name;
  double x;
  double y;
  double expected;  // NaN: expect NaN; zeros compared with their sign
};

class PortableMathSpecial : public ::testing::TestWithParam<Special> {};

TEST_P(PortableMathSpecial, GivesCsValue) {
  const Special& c = GetParam();
  const double got = call(c.name, c.x, c.y);
  if (std::isnan(c.expected)) {
    EXPECT_TRUE(std::isnan(got)) << got;
  } else {
    EXPECT_EQ(got, c.expected);
    EXPECT_EQ(std::signbit(got), std::signbit(c.expected));
  }
}

INSTANTIATE_TEST_SUITE_P(
    C99, PortableMathSpecial,
    ::testing::Values(
        Special{"exp", 0.0, 0, 1.0}, Special{"exp", -0.0, 0, 1.0},
        Special{"exp", kInf, 0, kInf}, Special{"exp", -kInf, 0, 0.0},
        Special{"exp", kNaN, 0, kNaN}, Special{"exp", 710.0, 0, kInf},
        Special{"exp", -746.0, 0, 0.0},
        Special{"exp", -745.0, 0, 0x0.0000000000001p-1022},
        Special{"log", 1.0, 0, 0.0}, Special{"log", 0.0, 0, -kInf},
        Special{"log", -0.0, 0, -kInf}, Special{"log", -1.0, 0, kNaN},
        Special{"log", kInf, 0, kInf}, Special{"log", kNaN, 0, kNaN},
        Special{"log10", 1000.0, 0, 3.0}, Special{"log10", 1e-5, 0, -5.0},
        Special{"log10", 1e22, 0, 22.0}, Special{"log10", 0.0, 0, -kInf},
        Special{"log10", -2.0, 0, kNaN}, Special{"pow", 2.0, 10.0, 1024.0},
        Special{"pow", 9.0, 0.5, 3.0}, Special{"pow", 10.0, -2.0, 0.01},
        Special{"pow", 2.0, -1074.0, 0x0.0000000000001p-1022},
        Special{"pow", kNaN, 0.0, 1.0}, Special{"pow", 1.0, kNaN, 1.0},
        Special{"pow", kNaN, 1.0, kNaN}, Special{"pow", 0.0, 2.5, 0.0},
        Special{"pow", -0.0, 3.0, -0.0}, Special{"pow", -0.0, 2.5, 0.0},
        Special{"pow", 0.0, -1.0, kInf}, Special{"pow", -0.0, -1.0, -kInf},
        Special{"pow", -2.0, 3.0, -8.0}, Special{"pow", -2.0, -2.0, 0.25},
        Special{"pow", -8.0, 1.0 / 3.0, kNaN}, Special{"pow", -1.0, kInf, 1.0},
        Special{"pow", 0.5, kInf, 0.0}, Special{"pow", 0.5, -kInf, kInf},
        Special{"pow", 2.0, kInf, kInf}, Special{"pow", -kInf, 3.0, -kInf},
        Special{"pow", -kInf, -3.0, -0.0}, Special{"pow", kInf, -0.5, 0.0},
        Special{"pow", 10.0, 400.0, kInf}, Special{"pow", 10.0, -400.0, 0.0},
        Special{"sin", -0.0, 0, -0.0}, Special{"sin", kInf, 0, kNaN},
        Special{"sin", -kInf, 0, kNaN}, Special{"sin", kNaN, 0, kNaN},
        Special{"sin", 1e-300, 0, 1e-300}, Special{"cos", 0.0, 0, 1.0},
        Special{"cos", kInf, 0, kNaN}, Special{"tanh", -0.0, 0, -0.0},
        Special{"tanh", kInf, 0, 1.0}, Special{"tanh", -kInf, 0, -1.0},
        Special{"tanh", 30.0, 0, 1.0}, Special{"tanh", kNaN, 0, kNaN},
        Special{"atan", -0.0, 0, -0.0},
        Special{"atan", kInf, 0, 0x1.921fb54442d18p+0},
        Special{"atan", -kInf, 0, -0x1.921fb54442d18p+0},
        Special{"atan", 1.0, 0, 0x1.921fb54442d18p-1},
        Special{"atan", kNaN, 0, kNaN}));

// The random sweep needs a reference 11 bits finer than double.
#if LDBL_MANT_DIG == 64 && !defined(_WIN32)
TEST(PortableMath, RandomSweepAgainstLongDouble) {
  std::mt19937_64 rng(7);
  auto uniform = [&](double lo, double hi) {
    return std::uniform_real_distribution<double>(lo, hi)(rng);
  };
  auto log_uniform = [&](double lo, double hi) {
    return std::exp(uniform(std::log(lo), std::log(hi)));
  };
  struct Sweep {
    const char* name;
    std::function<double()> x;
    std::function<double()> y;
    long double (*ref)(long double, long double);
  };
  const std::vector<Sweep> sweeps = {
      {"exp", [&] { return uniform(-708.0, 709.0); }, [] { return 0.0; },
       [](long double a, long double) { return expl(a); }},
      {"log", [&] { return log_uniform(1e-300, 1e300); }, [] { return 0.0; },
       [](long double a, long double) { return logl(a); }},
      {"log10", [&] { return log_uniform(1e-300, 1e300); }, [] { return 0.0; },
       [](long double a, long double) { return log10l(a); }},
      {"pow", [&] { return log_uniform(1e-4, 1e4); },
       [&] { return uniform(-70.0, 70.0); },
       [](long double a, long double b) { return powl(a, b); }},
      {"sin", [&] { return uniform(-1e4, 1e4); }, [] { return 0.0; },
       [](long double a, long double) { return sinl(a); }},
      {"cos", [&] { return uniform(-1e4, 1e4); }, [] { return 0.0; },
       [](long double a, long double) { return cosl(a); }},
      {"tanh", [&] { return uniform(-4.0, 4.0); }, [] { return 0.0; },
       [](long double a, long double) { return tanhl(a); }},
      {"atan", [&] { return uniform(-6.0, 6.0); }, [] { return 0.0; },
       [](long double a, long double) { return atanl(a); }},
  };
  for (const Sweep& s : sweeps) {
    double worst = 0.0;
    for (int i = 0; i < 20000; ++i) {
      const double x = s.x();
      const double y = s.y();
      const long double ref = s.ref(x, y);
      const auto hi = static_cast<double>(ref);
      const auto lo = static_cast<double>(ref - static_cast<long double>(hi));
      const double e = ulps(call(s.name, x, y), hi, lo);
      // The reference itself is within 2^-11 ulp.
      EXPECT_LE(e, kBound.at(s.name) + 0x1p-10) << s.name << " " << x;
      worst = std::max(worst, e);
    }
    std::printf("random sweep     %-6s 20000 points  worst %.4f ulp\n", s.name,
                worst);
  }
}
#endif

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc > 1) g_reference_path = argv[1];
  return RUN_ALL_TESTS();
}
