// HB_3, DR_3 and GRAY_3 across their pattern boundaries, at every
// inclination, at the single-phase limits and on hostile inputs: a defined,
// finite answer everywhere; jumps only at the boundaries the headers name;
// the continuous boundaries continuous to the last digits.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <ostream>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "wells/duns_ros.hpp"
#include "wells/gray.hpp"
#include "wells/hagedorn_brown.hpp"

namespace {

using pipecorr::wells::WellOutcome;
using pipecorr::wells::WellPoint;
using Core = WellOutcome (*)(const WellPoint&) noexcept;

// An oil well's fluid at 2,000 psia in 2.441-in tubing, and a gas well's.
WellPoint oil_point() {
  return {0.3,    0.0,   780.0, 90.0, 2e-3, 1.6e-5,
          1.8e-5, 0.012, 0.062, 90.0, 1.4e7};
}
WellPoint gas_point() {
  return {0.0,    5.0,   650.0, 110.0, 4e-4, 1.8e-5,
          1.8e-5, 0.006, 0.062, 90.0,  1.4e7};
}

WellPoint fast_gas_point() {
  WellPoint p = gas_point();
  p.usg = 12.0;
  return p;
}

WellPoint high_liquid_point() {
  WellPoint p = oil_point();
  p.usl = 4.0;
  return p;
}

struct Sweep {
  const char* name;
  Core core;
  WellPoint base;
  bool vary_gas;  // else the liquid velocity
  double from, to;
  std::set<std::int32_t> patterns;  // each must be met
  // Pattern changes allowed to jump (either order); others continuous.
  std::set<std::pair<std::int32_t, std::int32_t>> jumps;
};

std::vector<Sweep> sweeps() {
  return {
      {"hb_gas_rate",
       pipecorr::wells::hagedorn_brown,
       oil_point(),
       true,
       1e-3,
       30.0,
       {19, 20},
       {{19, 20}}},
      {"hb_liquid_rate",
       pipecorr::wells::hagedorn_brown,
       gas_point(),
       false,
       1e-5,
       3.0,
       {20},
       {}},
      {"dr_gas_rate",
       pipecorr::wells::duns_ros,
       oil_point(),
       true,
       1e-3,
       60.0,
       {21, 22, 23, 24},
       {{21, 22}}},
      {"dr_liquid_rate",
       pipecorr::wells::duns_ros,
       fast_gas_point(),
       false,
       1e-5,
       3.0,
       {22, 23, 24},
       {{21, 22}}},
      // N_LV above 32.33: no transition region, slug meets mist.
      {"dr_high_liquid",
       pipecorr::wells::duns_ros,
       high_liquid_point(),
       true,
       1e-3,
       300.0,
       {21, 22, 24},
       {{21, 22}, {22, 24}}},
      {"gray_gas_rate",
       pipecorr::wells::gray,
       oil_point(),
       true,
       1e-3,
       60.0,
       {25},
       {}},
      {"gray_liquid_rate",
       pipecorr::wells::gray,
       gas_point(),
       false,
       1e-6,
       3.0,
       {25},
       {}},
  };
}

void PrintTo(const Sweep& s, std::ostream* os) { *os << s.name; }

class LiftSweep : public ::testing::TestWithParam<std::tuple<Sweep, double>> {};

TEST_P(LiftSweep, DefinedEverywhereJumpsOnlyWhereDocumented) {
  const auto& [s, fi] = GetParam();
  constexpr int kSteps = 3000;
  const double ratio = std::pow(s.to / s.from, 1.0 / kSteps);
  WellPoint pt = s.base;
  pt.fi = fi;
  std::set<std::int32_t> met;
  WellOutcome prev;
  for (int i = 0; i <= kSteps; ++i) {
    const double v = s.from * std::pow(ratio, i);
    (s.vary_gas ? pt.usg : pt.usl) = v;
    const WellOutcome out = s.core(pt);
    ASSERT_TRUE(out.ok()) << s.name << " at " << v << ": " << out.reason;
    ASSERT_TRUE(std::isfinite(out.dp)) << v;
    ASSERT_TRUE(out.holdup >= 0.0 && out.holdup <= 1.0) << v;
    met.insert(out.pattern);
    if (i > 0) {
      const bool jump = out.pattern != prev.pattern &&
                        (s.jumps.count({prev.pattern, out.pattern}) != 0 ||
                         s.jumps.count({out.pattern, prev.pattern}) != 0);
      if (!jump) {
        // A step of 0.4 % in velocity moves a smooth gradient and holdup by
        // far less than this; a spike or an undocumented jump does not.
        // Scaled by the parts: downhill the gradient itself passes zero.
        const double scale =
            std::fabs(prev.elevation) + std::fabs(prev.friction) +
            std::fabs(out.elevation) + std::fabs(out.friction) + 1.0;
        EXPECT_LT(std::fabs(out.dp - prev.dp), 0.03 * scale)
            << s.name << " fi " << fi << " at " << v << ": " << prev.pattern
            << " -> " << out.pattern;
        EXPECT_LT(std::fabs(out.holdup - prev.holdup), 0.02)
            << s.name << " fi " << fi << " at " << v;
      }
    }
    prev = out;
  }
  for (const std::int32_t p : s.patterns) {
    EXPECT_EQ(met.count(p), 1u) << s.name << " never met pattern " << p;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Inclinations, LiftSweep,
    ::testing::Combine(::testing::ValuesIn(sweeps()),
                       ::testing::Values(90.0, 45.0, 0.0, -45.0, -90.0)),
    [](const auto& param_info) {
      const double fi = std::get<1>(param_info.param);
      std::string a = fi < 0 ? "down" : "up";
      return std::string(std::get<0>(param_info.param).name) + "_" + a +
             std::to_string(static_cast<int>(std::fabs(fi)));
    });

// The boundaries Duns & Ros interpolate across: the gradient on the two
// sides of the bisected boundary agrees to the bisection's width.
TEST(DunsRosBoundaries, SlugTransitionAndTransitionMistAreContinuous) {
  for (const auto& [low, high] :
       std::vector<std::pair<std::int32_t, std::int32_t>>{{22, 23}, {23, 24}}) {
    WellPoint pt = oil_point();
    double a = 1e-3;
    double b = 200.0;
    auto pattern_at = [&](double usg) {
      pt.usg = usg;
      return pipecorr::wells::duns_ros(pt).pattern;
    };
    ASSERT_LE(pattern_at(a), low);
    ASSERT_GE(pattern_at(b), high);
    for (int k = 0; k < 200 && b - a > 1e-13 * b; ++k) {
      const double m = 0.5 * (a + b);
      (pattern_at(m) <= low ? a : b) = m;
    }
    pt.usg = a;
    const WellOutcome below = pipecorr::wells::duns_ros(pt);
    pt.usg = b;
    const WellOutcome above = pipecorr::wells::duns_ros(pt);
    EXPECT_EQ(below.pattern, low);
    EXPECT_EQ(above.pattern, high);
    EXPECT_NEAR(above.dp, below.dp, 1e-9 * std::fabs(below.dp));
    EXPECT_NEAR(above.holdup, below.holdup, 1e-9);
  }
}

// The two-phase answer as one phase vanishes, against the single-phase
// answer (codes 17, 18): continuous where the correlation allows it.
struct Limit {
  const char* name;
  Core core;
  bool gas_vanishes;
};

class LiftSinglePhaseLimit : public ::testing::TestWithParam<Limit> {};

TEST_P(LiftSinglePhaseLimit, TendsToTheSinglePhaseGradient) {
  const Limit& c = GetParam();
  WellPoint pt = c.gas_vanishes ? oil_point() : gas_point();
  pt.usl = c.gas_vanishes ? 0.3 : 0.0;
  pt.usg = c.gas_vanishes ? 0.0 : 5.0;
  const WellOutcome single = c.core(pt);
  ASSERT_TRUE(single.ok());
  EXPECT_EQ(single.pattern, c.gas_vanishes ? PIPECORR_PATTERN_LIQUID_ONLY
                                           : PIPECORR_PATTERN_GAS_ONLY);
  EXPECT_EQ(single.holdup, c.gas_vanishes ? 1.0 : 0.0);
  (c.gas_vanishes ? pt.usg : pt.usl) = 1e-10;
  const WellOutcome near = c.core(pt);
  ASSERT_TRUE(near.ok());
  EXPECT_NEAR(near.dp, single.dp, 1e-6 * std::fabs(single.dp)) << c.name;
  EXPECT_NEAR(near.holdup, single.holdup, 1e-6) << c.name;
}

// The limits that step instead are documented in the headers: HB_3 as
// the liquid vanishes (the H_L/psi fit keeps its floor), DR_3 as the
// liquid vanishes (the film roughness), GRAY_3 at both ends (the
// pseudo-roughness, and the holdup exp(fE) as the liquid vanishes).
INSTANTIATE_TEST_SUITE_P(
    Continuous, LiftSinglePhaseLimit,
    ::testing::Values(Limit{"hb_gas", pipecorr::wells::hagedorn_brown, true},
                      Limit{"dr_gas", pipecorr::wells::duns_ros, true}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(LiftStaticColumn, BothVelocitiesZeroIsAFailure) {
  WellPoint pt = oil_point();
  pt.usl = 0.0;
  pt.usg = 0.0;
  for (const Core core : {pipecorr::wells::hagedorn_brown,
                          pipecorr::wells::duns_ros, pipecorr::wells::gray}) {
    EXPECT_EQ(core(pt).reason, "superficial velocities must not both be zero");
  }
}

// Inputs a host might send by mistake: every answer defined, finite and in
// range, or a failure with a reason.
TEST(LiftHostileInputs, EveryAnswerIsDefined) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  const double specials[] = {
      0.0,   -0.0, 5e-324, 1e-300,
      1e-12, 1e-3, 0.05,   1.0,
      20.0,  1e3,  1e7,    1e300,
      -1.0,  kInf, -kInf,  std::numeric_limits<double>::quiet_NaN()};
  std::mt19937_64 rng(11);
  std::uniform_int_distribution<std::size_t> pick(0, std::size(specials) - 1);
  std::uniform_real_distribution<double> chance(0.0, 1.0);
  const WellPoint typical = oil_point();
  const double* base = &typical.usl;
  for (const Core core : {pipecorr::wells::hagedorn_brown,
                          pipecorr::wells::duns_ros, pipecorr::wells::gray}) {
    for (int i = 0; i < 20000; ++i) {
      WellPoint pt = typical;
      double* field = &pt.usl;
      for (int k = 0; k < 11; ++k) {
        field[k] = chance(rng) < 0.3 ? specials[pick(rng)]
                                     : base[k] * (0.5 + chance(rng));
      }
      if (chance(rng) < 0.5) pt.usg = typical.usl * 3.0;
      const WellOutcome out = core(pt);
      if (out.ok()) {
        ASSERT_TRUE(std::isfinite(out.dp)) << i;
        ASSERT_TRUE(out.holdup >= 0.0 && out.holdup <= 1.0) << i;
        ASSERT_TRUE(out.pattern >= 17 && out.pattern <= 25) << i;
      } else {
        ASSERT_FALSE(out.reason.empty());
      }
    }
  }
}

}  // namespace
