// The Beggs & Brill core: gradient stage, failure exit and the inputs
// outside the correlation's domain.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "beggs_brill/Bbi.hpp"
#include "beggs_brill/flow_map.hpp"
#include "beggs_brill/friction.hpp"
#include "beggs_brill/gradient.hpp"
#include "beggs_brill/holdup.hpp"
#include "rounding.hpp"

namespace {

using pipecorr::bb::BBi;
using pipecorr::bb::FieldInputs;
using pipecorr::testing::ByName;
using pipecorr::testing::rounds_to;

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

// The fluid of the worked examples.
FieldInputs point(float vsl, float vsg, float pidft, float arad) {
  FieldInputs in;
  in.vsl = vsl;
  in.vsg = vsg;
  in.dl = 50;
  in.dg = 2;
  in.visl = 1;
  in.visg = 0.015f;
  in.ruff = 0.0018f;
  in.stenl = 30;
  in.pidft = pidft;
  in.arad = arad;
  in.pave = 1000;
  return in;
}

struct Result {
  float DPg = -1.0f;
  float hl = -1.0f;
  std::int32_t iregime = 99;
  bool failed = true;
  std::string reason;
};

Result run(const FieldInputs& in) {
  const pipecorr::bb::Outcome o = BBi(in);
  return {o.DPg, o.hl, o.pattern, o.failed, std::string(o.reason)};
}

// The gradient stage with the friction factor fixed at 0.03.
struct GradientCase {
  std::string name;
  float vsl, vsg, pidft, arad;
  std::int32_t pattern;
  double hl, in_situ, no_slip, viscosity, renum, friction, elevation, dpg;
};

class GradientExamples : public ::testing::TestWithParam<GradientCase> {};

TEST_P(GradientExamples, QuotedToFiveDigits) {
  const GradientCase& c = GetParam();
  const FieldInputs in = point(c.vsl, c.vsg, c.pidft, c.arad);
  const auto map = pipecorr::bb::map_quantities(in.vsl, in.vsg, in.pidft);
  ASSERT_EQ(pipecorr::bb::flow_pattern(map), c.pattern);
  const float hl = pipecorr::bb::liquid_holdup(
      c.pattern, map, pipecorr::bb::slope_of(in.vsl, in.dl, in.stenl, in.arad));
  EXPECT_TRUE(rounds_to(hl, c.hl, 5));
  const auto m = pipecorr::bb::mixture_of(in, hl);
  EXPECT_TRUE(rounds_to(m.in_situ_density, c.in_situ, 5));
  EXPECT_TRUE(rounds_to(m.no_slip_density, c.no_slip, 5));
  EXPECT_TRUE(rounds_to(m.no_slip_viscosity, c.viscosity, 4));
  EXPECT_TRUE(rounds_to(m.renum, c.renum, 5));
  const float friction = pipecorr::bb::friction_gradient(in, m, 0.03f);
  const float elevation = pipecorr::bb::elevation_gradient(in, m);
  EXPECT_TRUE(rounds_to(friction, c.friction, 4));
  if (c.elevation == 0.0) {
    EXPECT_EQ(elevation, 0.0f);
  } else {
    EXPECT_TRUE(rounds_to(elevation, c.elevation, 5));
  }
  EXPECT_TRUE(rounds_to(double{friction} + double{elevation}, c.dpg, 5));
}

INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, GradientExamples,
    ::testing::Values(
        GradientCase{"Horizontal", 0.2f, 1.8f, 0.125f, 0, 6, 0.27731, 15.311,
                     6.8, 0.1135, 22287, 0.0007045, 0, 0.0007045},
        GradientCase{"Uphill", 0.2f, 1.8f, 0.125f, 0.2f, 6, 0.37434, 19.968,
                     6.8, 0.1135, 22287, 0.0007045, 0.027549, 0.028254},
        // lambda = 0.1 < 0.8: downhill the gas density alone.
        GradientCase{"DownhillGas", 0.2f, 1.8f, 0.125f, -0.2f, 6, 0.061964,
                     4.9743, 6.8, 0.1135, 22287, 0.0007045, -0.0027593,
                     -0.0020548},
        // lambda = 0.8 exactly: downhill the in-situ density.
        GradientCase{"DownhillLiquid", 4, 1, 0.25f, -0.2f, 8, 0.59787, 30.698,
                     40.4, 0.803, 93579, 0.01308, -0.042352, -0.029272}),
    ByName{});

TEST(Core, WholeCallOfTheTransitionExample) {
  const Result r = run(point(0.2f, 1.8f, 0.125f, 0));
  EXPECT_FALSE(r.failed);
  EXPECT_EQ(r.iregime, pipecorr::bb::kTransition);
  EXPECT_TRUE(rounds_to(r.hl, 0.27731, 5));
  // Friction alone, with the two-phase factor 0.039939 of this point.
  EXPECT_TRUE(rounds_to(r.DPg, 0.0007045 * 0.039939 / 0.03, 4));
  EXPECT_EQ(r.reason, "");
}

TEST(Core, PressureTakesNoPart) {
  FieldInputs a = point(1, 3, 0.3f, 0.1f);
  FieldInputs b = a;
  b.pave = 5;
  const Result ra = run(a);
  const Result rb = run(b);
  EXPECT_EQ(ra.DPg, rb.DPg);
  EXPECT_EQ(ra.hl, rb.hl);
  EXPECT_EQ(ra.iregime, rb.iregime);
}

TEST(Core, DryGasIsTheSinglePhaseGasGradient) {
  const FieldInputs in = point(0, 20, 0.3f, 0);
  const Result r = run(in);
  ASSERT_FALSE(r.failed);
  EXPECT_EQ(r.iregime, pipecorr::bb::kDistributed);
  EXPECT_EQ(r.hl, 0.0f);
  // fn rho_g vm^2 / (2 g 144 d), fn from the gas Reynolds number.
  const double re = 1488.0 * 2.0 * 20.0 * double{0.3f} / double{0.015f};
  float fn = 0.0f;
  pipecorr::bb::MOODY_q(static_cast<float>(re), 0.0018f / (12 * 0.3f), fn);
  const double expected = double{fn} * 2.0 * 400.0 / (9266.112 * 0.3);
  EXPECT_NEAR(r.DPg, expected, 1e-6 * expected);
  EXPECT_TRUE(std::isfinite(r.DPg));
  EXPECT_GT(r.DPg, 0.0f);
}

TEST(Core, DryGasDownhillGainsTheGasColumn) {
  const Result r = run(point(0, 5, 0.3f, -0.5f));
  ASSERT_FALSE(r.failed);
  EXPECT_EQ(r.hl, 0.0f);
  EXPECT_TRUE(std::isfinite(r.DPg));
}

TEST(Core, HorizontalGradientIsFrictionAlone) {
  const FieldInputs in = point(1, 3, 0.3f, 0);
  const Result r = run(in);
  const auto m = pipecorr::bb::mixture_of(in, r.hl);
  EXPECT_EQ(pipecorr::bb::elevation_gradient(in, m), 0.0f);
  EXPECT_GT(r.DPg, 0.0f);
}

// Inputs outside the correlation's domain take the failure exit with a
// reason, instead of reaching the host as NaN or infinity.
struct BadCase {
  std::string name;
  FieldInputs in;
  std::string reason;
};

FieldInputs with(FieldInputs in, float FieldInputs::*field, float value) {
  in.*field = value;
  return in;
}

const FieldInputs kGood = point(1, 3, 0.3f, 0.1f);

class DomainFailures : public ::testing::TestWithParam<BadCase> {};

TEST_P(DomainFailures, FailureExitWithReasonThenSuccess) {
  const BadCase& c = GetParam();
  const Result r = run(c.in);
  EXPECT_TRUE(r.failed);
  EXPECT_EQ(r.iregime, -1);
  EXPECT_EQ(r.DPg, 0.0f);
  EXPECT_EQ(r.hl, 0.0f);
  EXPECT_EQ(r.reason, c.reason);

  // The next call starts afresh.
  const Result ok = run(kGood);
  EXPECT_FALSE(ok.failed);
  EXPECT_EQ(ok.reason, "");
  EXPECT_GT(ok.iregime, 0);
  EXPECT_GT(ok.hl, 0.0f);
}

// Every field, in every position of the test's four-value groups, against
// every kind of value that is not finite, and the largest floats that are.
TEST(AllFinite, FindsAnyValueThatIsNotFinite) {
  using F = float FieldInputs::*;
  const F fields[] = {
      &FieldInputs::vsl,  &FieldInputs::vsg,   &FieldInputs::dl,
      &FieldInputs::dg,   &FieldInputs::visl,  &FieldInputs::visg,
      &FieldInputs::ruff, &FieldInputs::stenl, &FieldInputs::pidft,
      &FieldInputs::arad, &FieldInputs::pave};
  EXPECT_TRUE(pipecorr::bb::all_finite(kGood));
  for (const F field : fields) {
    for (const float bad : {kInf, -kInf, kNaN, -kNaN}) {
      EXPECT_FALSE(pipecorr::bb::all_finite(with(kGood, field, bad)));
    }
    for (const float fine : {FLT_MAX, -FLT_MAX, 0x1p-149f, -0.0f}) {
      EXPECT_TRUE(pipecorr::bb::all_finite(with(kGood, field, fine)));
    }
  }
}

const std::string kNotFinite = "an input is not a finite number";

INSTANTIATE_TEST_SUITE_P(
    Core, DomainFailures,
    ::testing::Values(
        BadCase{"NaNVelocity", with(kGood, &FieldInputs::vsl, kNaN),
                kNotFinite},
        BadCase{"InfiniteGasVelocity", with(kGood, &FieldInputs::vsg, kInf),
                kNotFinite},
        BadCase{"NaNGasDensity", with(kGood, &FieldInputs::dg, kNaN),
                kNotFinite},
        BadCase{"InfiniteViscosity", with(kGood, &FieldInputs::visl, kInf),
                kNotFinite},
        BadCase{"NaNRoughness", with(kGood, &FieldInputs::ruff, kNaN),
                kNotFinite},
        BadCase{"NaNInclination", with(kGood, &FieldInputs::arad, kNaN),
                kNotFinite},
        BadCase{"NaNPressure", with(kGood, &FieldInputs::pave, kNaN),
                kNotFinite},
        BadCase{"NegativeLiquidVelocity", with(kGood, &FieldInputs::vsl, -0.5f),
                "superficial velocities must not be negative"},
        BadCase{"NegativeGasVelocity", with(kGood, &FieldInputs::vsg, -1e-30f),
                "superficial velocities must not be negative"},
        BadCase{
            "NoFlow",
            with(with(kGood, &FieldInputs::vsl, 0), &FieldInputs::vsg, -0.0f),
            "superficial velocities must not both be zero"},
        BadCase{"ZeroDiameter", with(kGood, &FieldInputs::pidft, 0),
                "pipe diameter must be positive"},
        BadCase{"NegativeDiameter", with(kGood, &FieldInputs::pidft, -0.3f),
                "pipe diameter must be positive"},
        BadCase{"ZeroLiquidDensity", with(kGood, &FieldInputs::dl, 0),
                "liquid density must be positive"},
        BadCase{"NegativeLiquidDensity", with(kGood, &FieldInputs::dl, -50),
                "liquid density must be positive"},
        BadCase{"ZeroSurfaceTension", with(kGood, &FieldInputs::stenl, 0),
                "surface tension must be positive"},
        BadCase{"ZeroViscosities",
                with(with(kGood, &FieldInputs::visl, 0), &FieldInputs::visg, 0),
                "no-slip viscosity must be positive"},
        // Liquid only: the gas viscosity takes no part, the liquid's must
        // be positive.
        BadCase{"NegativeLiquidViscosityLiquidOnly",
                with(with(kGood, &FieldInputs::vsg, 0), &FieldInputs::visl, -1),
                "no-slip viscosity must be positive"}),
    ByName{});

TEST(Core, ExtremeFiniteInputsNeverReturnNaN) {
  // Finite inputs whose arithmetic overflows are caught by the last guards.
  const float huge = std::numeric_limits<float>::max();
  const float tiny = std::numeric_limits<float>::denorm_min();
  const FieldInputs cases[] = {
      with(kGood, &FieldInputs::vsl, huge),
      with(with(kGood, &FieldInputs::vsl, huge), &FieldInputs::vsg, huge),
      with(kGood, &FieldInputs::pidft, tiny),
      with(kGood, &FieldInputs::pidft, huge),
      with(kGood, &FieldInputs::ruff, -1),
      with(kGood, &FieldInputs::ruff, huge),
      with(kGood, &FieldInputs::dg, -huge),
      with(kGood, &FieldInputs::visg, -huge),
      with(with(kGood, &FieldInputs::vsl, tiny), &FieldInputs::vsg, tiny),
      with(kGood, &FieldInputs::stenl, tiny),
      with(kGood, &FieldInputs::dl, tiny),
      with(kGood, &FieldInputs::visl, tiny),
  };
  for (const FieldInputs& in : cases) {
    const Result r = run(in);
    EXPECT_TRUE(std::isfinite(r.DPg));
    EXPECT_TRUE(std::isfinite(r.hl));
    if (!r.failed) {
      EXPECT_GT(r.iregime, 4);
      EXPECT_EQ(r.reason, "");
    } else {
      EXPECT_EQ(r.iregime, -1);
      EXPECT_EQ(r.DPg, 0.0f);
      EXPECT_EQ(r.hl, 0.0f);
      EXPECT_NE(r.reason, "");
    }
  }
}

TEST(Core, HoldupWithinLimitsOnAGrid) {
  for (const float vsl : {0.0f, 0.01f, 0.3f, 2.0f, 10.0f}) {
    for (const float vsg : {0.0f, 0.05f, 1.0f, 30.0f}) {
      for (const float arad : {-1.5f, -0.2f, 0.0f, 0.2f, 1.5f}) {
        if (vsl == 0.0f && vsg == 0.0f) continue;
        const Result r = run(point(vsl, vsg, 0.2f, arad));
        ASSERT_FALSE(r.failed) << vsl << " " << vsg << " " << arad;
        EXPECT_GE(r.hl, 0.0f);
        EXPECT_LE(r.hl, 1.0f);
        EXPECT_TRUE(std::isfinite(r.DPg));
      }
    }
  }
}

}  // namespace
