// Screening of the host's flow conditions into the engine's ranges.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "adapter/screening.hpp"

namespace {

using pipecorr::orba::HostInputs;
using pipecorr::orba::Range;
using pipecorr::orba::screen;
using pipecorr::orba::ScreenedInputs;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Comfortably inside every range, and with usl far below 9998 * usg.
constexpr HostInputs kMidRange{1.0,  2.0,  800.0, 20.0, 0.002, 2e-05,
                               1e-4, 0.03, 0.2,   10.0, 3e6};

struct Field {
  const char* name;
  double HostInputs::*host;
  double ScreenedInputs::*screened;
  Range range;  // written out here, not taken from the code under test
};

const Field kFields[] = {
    {"usl", &HostInputs::usl, &ScreenedInputs::usl, {1e-06, 100}},
    {"usg", &HostInputs::usg, &ScreenedInputs::usg, {1e-06, 300}},
    {"rol", &HostInputs::rol, &ScreenedInputs::rol, {100, 15000}},
    {"rog", &HostInputs::rog, &ScreenedInputs::rog, {0.001, 1000}},
    {"visl", &HostInputs::visl, &ScreenedInputs::visl, {1e-06, 10}},
    {"visg", &HostInputs::visg, &ScreenedInputs::visg, {1e-07, 0.01}},
    {"sigma", &HostInputs::sigma, &ScreenedInputs::sigma, {0.001, 0.1}},
    {"diam", &HostInputs::diam, &ScreenedInputs::diam, {0.0001, 10}},
    {"fi", &HostInputs::fi, &ScreenedInputs::fi, {-89.99, 89.99}},
    {"eps", &HostInputs::eps, &ScreenedInputs::eps, {0, 0.1}},
};

struct ClampCase {
  std::string name;
  Field field;
  double input;
  double expected;
};

std::vector<ClampCase> clamp_cases() {
  std::vector<ClampCase> cases;
  for (const Field& f : kFields) {
    const double lo = f.range.lower;
    const double hi = f.range.upper;
    const std::string n = f.name;
    cases.push_back({n + "_minus_infinity", f, -kInf, lo});
    cases.push_back({n + "_far_below", f, lo - 1000.0, lo});
    cases.push_back(
        {n + "_just_below_lower", f, std::nextafter(lo, -kInf), lo});
    cases.push_back({n + "_on_lower", f, lo, lo});
    cases.push_back({n + "_just_above_lower", f, std::nextafter(lo, kInf),
                     std::nextafter(lo, kInf)});
    cases.push_back({n + "_just_below_upper", f, std::nextafter(hi, -kInf),
                     std::nextafter(hi, -kInf)});
    cases.push_back({n + "_on_upper", f, hi, hi});
    cases.push_back({n + "_just_above_upper", f, std::nextafter(hi, kInf), hi});
    cases.push_back({n + "_far_above", f, hi * 1000.0 + 1.0, hi});
    cases.push_back({n + "_plus_infinity", f, kInf, hi});
  }
  // Spot values a host is likely to send.
  cases.push_back({"fi_vertical_up", kFields[8], 90.0, 89.99});
  cases.push_back({"fi_vertical_down", kFields[8], -90.0, -89.99});
  cases.push_back({"eps_negative", kFields[9], -0.001, 0.0});
  cases.push_back({"rol_light", kFields[2], 50.0, 100.0});
  cases.push_back({"visg_heavy", kFields[5], 0.02, 0.01});
  cases.push_back({"diam_zero", kFields[7], 0.0, 0.0001});
  return cases;
}

class Clamp : public ::testing::TestWithParam<ClampCase> {};

TEST_P(Clamp, EngineGetsTheBoundedValue) {
  const ClampCase& c = GetParam();
  HostInputs in = kMidRange;
  in.*c.field.host = c.input;
  const auto s = screen(in);
  ASSERT_TRUE(s.has_value());
  EXPECT_EQ(std::bit_cast<std::uint64_t>((*s).*c.field.screened),
            std::bit_cast<std::uint64_t>(c.expected))
      << (*s).*c.field.screened << " vs " << c.expected;
}

INSTANTIATE_TEST_SUITE_P(TenInputs, Clamp, ::testing::ValuesIn(clamp_cases()),
                         [](const auto& row) { return row.param.name; });

TEST(Clamp, NegativeZeroRoughnessBecomesPositiveZero) {
  HostInputs in = kMidRange;
  in.eps = -0.0;
  const auto s = screen(in);
  ASSERT_TRUE(s.has_value());
  EXPECT_FALSE(std::signbit(s->eps));
}

TEST(Clamp, OtherInputsPassUnchanged) {
  const auto s = screen(kMidRange);
  ASSERT_TRUE(s.has_value());
  EXPECT_EQ(s->usl, kMidRange.usl);
  EXPECT_EQ(s->usg, kMidRange.usg);
  EXPECT_EQ(s->rol, kMidRange.rol);
  EXPECT_EQ(s->rog, kMidRange.rog);
  EXPECT_EQ(s->visl, kMidRange.visl);
  EXPECT_EQ(s->visg, kMidRange.visg);
  EXPECT_EQ(s->sigma, kMidRange.sigma);
  EXPECT_EQ(s->diam, kMidRange.diam);
  EXPECT_EQ(s->fi, kMidRange.fi);
  EXPECT_EQ(s->eps, kMidRange.eps);
}

struct LimitCase {
  const char* name;
  double usl;
  double usg;
  double expected_usl;
  double expected_usg;
};

class LiquidVelocityLimit : public ::testing::TestWithParam<LimitCase> {};

TEST_P(LiquidVelocityLimit, AppliesAfterTheClamps) {
  const LimitCase& c = GetParam();
  HostInputs in = kMidRange;
  in.usl = c.usl;
  in.usg = c.usg;
  const auto s = screen(in);
  ASSERT_TRUE(s.has_value());
  EXPECT_EQ(s->usl, c.expected_usl);
  EXPECT_EQ(s->usg, c.expected_usg);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LiquidVelocityLimit,
    ::testing::Values(
        LimitCase{"liquid_clamped_first", 200.0, 1.0, 100.0, 1.0},
        LimitCase{"slow_gas", 50.0, 0.001, 9.998, 0.001},
        LimitCase{"no_gas", 5.0, 0.0, 0.009998, 1e-06},
        LimitCase{"no_gas_little_liquid", 0.001, 0.0, 0.001, 1e-06},
        // 9998 * 2^-7 = 78.109375 exactly: equality keeps usl.
        LimitCase{"on_the_limit", 78.109375, 0.0078125, 78.109375, 0.0078125},
        LimitCase{"just_over_the_limit", 78.10937500000001, 0.0078125,
                  78.109375, 0.0078125}),
    [](const auto& row) { return std::string(row.param.name); });

class NotANumber : public ::testing::TestWithParam<Field> {};

TEST_P(NotANumber, HasNoPlaceInAnyRange) {
  HostInputs in = kMidRange;
  in.*GetParam().host = kNaN;
  EXPECT_FALSE(screen(in).has_value());
}

INSTANTIATE_TEST_SUITE_P(TenInputs, NotANumber, ::testing::ValuesIn(kFields),
                         [](const auto& row) {
                           return std::string(row.param.name);
                         });

TEST(NotANumber, PressureIsNotScreened) {
  HostInputs in = kMidRange;
  in.p = kNaN;
  EXPECT_TRUE(screen(in).has_value());
}

}  // namespace
