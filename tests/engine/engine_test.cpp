// The stand-in engine: homogeneous no-slip flow with a Colebrook friction
// factor, called through its exported entry.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>
#include <string>

#include "twpc20.h"

namespace {

constexpr double kSentinel = -4242.0;

struct Conditions {
  double usl = 1.0;
  double usg = 1.0;
  double rol = 1000.0;
  double rog = 50.0;
  double visl = 1e-3;
  double visg = 1e-5;
  double sigma = 0.07;
  double diam = 0.1;
  double fi = 0.0;
  double eps = 4.5e-5;
};

std::array<double, 70> run(Conditions c) {
  std::array<double, 70> vecout;
  vecout.fill(kSentinel);
  std::int32_t ipar1 = 1;
  std::int32_t ipar2 = 1;
  double wc = 0.0;
  double rpar1 = 1000.0;
  double rpar2 = 0.001;
  double entr = 0.0;
  double ptclc = 0.0;
  char constr[] = "12114001212000000000";
  TWPC20(&ipar1, &ipar2, vecout.data(), &c.usl, &c.usg, &c.rol, &c.rog, &c.visl,
         &c.visg, &c.sigma, &c.diam, &c.fi, &c.eps, &wc, &rpar1, &rpar2, &entr,
         &ptclc, constr, 20);
  return vecout;
}

// vecout elements by their 1-based numbers.
double at(const std::array<double, 70>& v, std::size_t element) {
  return v[element - 1];
}

TEST(StandInEngine, HorizontalCaseMatchesAHandComputation) {
  const auto v = run({});
  // Hand computation: liquid fraction 0.5, mixture density 525 kg/m3,
  // mixture viscosity 5.05e-4 Pa s, Re = 525 * 2 * 0.1 / 5.05e-4; Colebrook
  // solved by bisection separately gives f = 0.0184910810, so the friction
  // gradient is f * 525 * 2^2 / (2 * 0.1) = 194.1563505 Pa/m.
  EXPECT_EQ(at(v, 1), 0.5);
  EXPECT_NEAR(at(v, 8), 207920.7920792, 1e-6);
  EXPECT_NEAR(at(v, 9), 0.0184910810, 1e-10);
  EXPECT_NEAR(at(v, 2), 194.1563505, 1e-6);
  EXPECT_EQ(at(v, 3), 0.0);
  EXPECT_EQ(at(v, 4), 0.0);
  EXPECT_EQ(at(v, 55), 4.0);  // liquid-rich, 1 to 5 m/s
}

TEST(StandInEngine, GravityFollowsTheInclination) {
  for (const double fi : {-89.99, -30.0, 0.0, 12.5, 30.0, 89.99}) {
    Conditions c;
    c.fi = fi;
    const auto v = run(c);
    EXPECT_NEAR(at(v, 3),
                525.0 * 9.80665 * std::sin(fi * std::numbers::pi / 180.0), 1e-9)
        << fi;
    // Friction does not depend on the direction.
    EXPECT_EQ(at(v, 2), at(run({}), 2)) << fi;
  }
  Conditions up;
  up.fi = 30.0;
  EXPECT_NEAR(at(run(up), 3), 525.0 * 9.80665 / 2.0, 1e-9);
}

struct FrictionCase {
  const char* name;
  double usl;
  double usg;
  double diam;
  double eps;
};

class Friction : public ::testing::TestWithParam<FrictionCase> {};

// The factor must satisfy the Colebrook equation it claims to solve, and
// the gradient must follow from it by the Darcy-Weisbach law.
TEST_P(Friction, SolvesColebrookInTurbulentFlow) {
  const FrictionCase& p = GetParam();
  Conditions c;
  c.usl = p.usl;
  c.usg = p.usg;
  c.diam = p.diam;
  c.eps = p.eps;
  const auto v = run(c);
  const double re = at(v, 8);
  const double f = at(v, 9);
  ASSERT_GE(re, 2000.0);
  const double x = 1.0 / std::sqrt(f);
  const double residual =
      x + 2.0 * std::log10(p.eps / p.diam / 3.7 + 2.51 * x / re);
  EXPECT_NEAR(residual, 0.0, 1e-12 * x);
  const double vm = p.usl + p.usg;
  EXPECT_NEAR(at(v, 2), f * at(v, 6) * vm * vm / (2.0 * p.diam),
              1e-12 * at(v, 2));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Friction,
    ::testing::Values(FrictionCase{"smooth", 1.0, 1.0, 0.1, 0.0},
                      FrictionCase{"rough", 1.0, 1.0, 0.1, 0.005},
                      FrictionCase{"roughest", 3.0, 3.0, 0.05, 0.0025},
                      FrictionCase{"low_turbulent", 0.02, 0.001, 0.1, 1e-5},
                      FrictionCase{"gas_pipeline", 1e-4, 20.0, 0.8, 2e-5},
                      FrictionCase{"large_reynolds", 50.0, 100.0, 2.0, 0.0}),
    [](const auto& row) { return std::string(row.param.name); });

// Colebrook has no finite root at relative roughness 3.7 and turns
// meaningless long before; such pipes get the factor of the roughest real
// pipe (0.05) instead of an infinite gradient.
TEST(StandInEngine, ImplausiblyRoughPipesGetTheRoughestPipesFactor) {
  Conditions roughest;
  roughest.eps = 0.05 * roughest.diam;
  const double f = at(run(roughest), 9);
  for (const double relative : {0.2, 3.7, 1000.0}) {
    Conditions c;
    c.eps = relative * c.diam;
    const auto v = run(c);
    EXPECT_EQ(at(v, 9), f) << relative;
    EXPECT_TRUE(std::isfinite(at(v, 2))) << relative;
  }
  // Fully rough flow: close to the square law 1/sqrt(f) = -2 log10(0.05/3.7).
  EXPECT_NEAR(f, std::pow(2.0 * std::log10(3.7 / 0.05), -2.0), 2e-3);
}

TEST(StandInEngine, LaminarBelowReynolds2000) {
  Conditions c;
  c.usl = 0.001;
  c.usg = 1e-6;
  c.visl = 0.5;
  const auto v = run(c);
  ASSERT_LT(at(v, 8), 2000.0);
  EXPECT_DOUBLE_EQ(at(v, 9), 64.0 / at(v, 8));
}

struct PatternCase {
  const char* name;
  double usl;
  double usg;
  double pattern;
};

class Pattern : public ::testing::TestWithParam<PatternCase> {};

TEST_P(Pattern, BandsLiquidFractionAndMixtureVelocity) {
  Conditions c;
  c.usl = GetParam().usl;
  c.usg = GetParam().usg;
  EXPECT_EQ(at(run(c), 55), GetParam().pattern);
}

INSTANTIATE_TEST_SUITE_P(
    Bands, Pattern,
    ::testing::Values(PatternCase{"liquid_only", 1.0, 1e-6, 1.0},
                      PatternCase{"gas_only", 1e-6, 10.0, 2.0},
                      PatternCase{"liquid_rich_slow", 0.4, 0.2, 3.0},
                      PatternCase{"liquid_rich_moderate", 2.0, 1.0, 4.0},
                      PatternCase{"liquid_rich_fast", 4.0, 2.0, 5.0},
                      PatternCase{"mixed_slow", 0.2, 0.6, 6.0},
                      PatternCase{"mixed_moderate", 0.5, 1.5, 7.0},
                      PatternCase{"mixed_fast", 2.0, 8.0, 8.0},
                      PatternCase{"gas_rich_slow", 0.1, 3.0, 9.0},
                      PatternCase{"gas_rich_fast", 0.5, 20.0, 10.0}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(StandInEngine, WritesOnlyItsOwnElements) {
  const auto v = run({});
  for (std::size_t element = 10; element <= 70; ++element) {
    if (element == 55) continue;
    EXPECT_EQ(at(v, element), kSentinel) << "element " << element;
  }
}

struct BadCase {
  const char* name;
  Conditions c;
};

class NoAnswer : public ::testing::TestWithParam<BadCase> {};

TEST_P(NoAnswer, GivesNaNRatherThanANumber) {
  const auto v = run(GetParam().c);
  for (const std::size_t element : {1u, 2u, 3u, 4u, 55u}) {
    EXPECT_TRUE(std::isnan(at(v, element))) << "element " << element;
  }
}

Conditions with(double Conditions::*field, double value) {
  Conditions c;
  c.*field = value;
  return c;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NoAnswer,
    ::testing::Values(
        BadCase{"no_flow",
                [] {
                  Conditions c;
                  c.usl = 0.0;
                  c.usg = 0.0;
                  return c;
                }()},
        BadCase{"negative_velocity", with(&Conditions::usl, -1.0)},
        BadCase{"zero_diameter", with(&Conditions::diam, 0.0)},
        BadCase{"zero_viscosity", with(&Conditions::visg, 0.0)},
        BadCase{"negative_density", with(&Conditions::rol, -5.0)},
        BadCase{"negative_roughness", with(&Conditions::eps, -1e-3)},
        BadCase{
            "infinite_velocity",
            with(&Conditions::usg, std::numeric_limits<double>::infinity())},
        BadCase{
            "nan_inclination",
            with(&Conditions::fi, std::numeric_limits<double>::quiet_NaN())}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
