// The pieces of the fast path: the rounding test that proves a fast value's
// float, and the inline logarithm and exponential with their stated bounds.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <random>
#include <string>

#include "beggs_brill/float_exp.hpp"
#include "beggs_brill/float_log.hpp"
#include "beggs_brill/float_sin.hpp"
#include "beggs_brill/friction.hpp"
#include "beggs_brill/libm_accuracy.hpp"
#include "beggs_brill/proven_store.hpp"
#include "rounding.hpp"

namespace {

using pipecorr::bb::store_proven;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// `steps` doubles away from `x` (negative: downwards).
double ulps_away(double x, int steps) {
  for (; steps > 0; --steps) x = std::nextafter(x, kInf);
  for (; steps < 0; ++steps) x = std::nextafter(x, -kInf);
  return x;
}

struct RoundingCase {
  std::string name;
  double fast;
  double bound;
  bool proven;
};

class StoreProven : public ::testing::TestWithParam<RoundingCase> {};

TEST_P(StoreProven, ProvesOnlyWhatEveryValueWithinTheBoundRoundsTo) {
  const RoundingCase& c = GetParam();
  const std::optional<float> result = store_proven(c.fast, c.bound);
  ASSERT_EQ(result.has_value(), c.proven);
  if (!c.proven) return;
  // The float of the fast value, and of every double within the bound.
  const float expected = static_cast<float>(c.fast);
  EXPECT_EQ(std::bit_cast<std::uint32_t>(*result),
            std::bit_cast<std::uint32_t>(expected));
  const int reach = static_cast<int>(c.bound);
  for (const int step : {-reach, reach}) {
    EXPECT_EQ(static_cast<float>(ulps_away(c.fast, step)), expected) << step;
  }
}

// Midpoints between neighbouring floats, written out: 1 + 2^-24 lies
// between 1 and 1 + 2^-23, and so on.
constexpr double kMidAboveOne = 1.0 + 0x1p-24;
constexpr double kMidBelowOne = 1.0 - 0x1p-25;
constexpr double kSmallestNormal = 0x1p-126;
constexpr double kOverflowThreshold = 0x1p128 - 0x1p103;  // FLT_MAX + ulp/2
constexpr double kMidInTopBinade = 0x1.000001p127;        // 2^127 (1 + 2^-24)

INSTANTIATE_TEST_SUITE_P(
    Table, StoreProven,
    ::testing::Values(
        RoundingCase{"ExactMidpoint", kMidAboveOne, 0.0, false},
        RoundingCase{"OneUlpAboveMidpointWithinBound",
                     ulps_away(kMidAboveOne, 1), 1.0, false},
        RoundingCase{"OneUlpAboveMidpointBeyondBound",
                     ulps_away(kMidAboveOne, 1), 0.5, true},
        RoundingCase{"OneUlpBelowMidpointBeyondBound",
                     ulps_away(kMidAboveOne, -1), 0.5, true},
        RoundingCase{"TwoUlpsBelowMidpointWithinBound",
                     ulps_away(kMidAboveOne, -2), 2.0, false},
        RoundingCase{"MidpointBelowABinadeEdge", kMidBelowOne, 0.0, false},
        RoundingCase{"JustAboveMidpointBelowOne", ulps_away(kMidBelowOne, 3),
                     2.0, true},
        RoundingCase{"FloatItself", 1.0, 1000.0, true},
        RoundingCase{"NegativeMirror", -ulps_away(kMidAboveOne, 5), 4.0, true},
        RoundingCase{"NegativeMidpoint", -kMidAboveOne, 0.0, false},
        RoundingCase{"Zero", 0.0, 0.0, false},
        RoundingCase{"NegativeZero", -0.0, 0.0, false},
        RoundingCase{"SmallestNormal", kSmallestNormal, 10.0, true},
        RoundingCase{"JustBelowSmallestNormal", ulps_away(kSmallestNormal, -1),
                     0.0, false},
        RoundingCase{"SubnormalFloatRange", 0x1p-140, 0.0, false},
        RoundingCase{"LargestFloat", double{FLT_MAX}, 10.0, true},
        RoundingCase{"OverflowThreshold", kOverflowThreshold, 0.0, false},
        // Past the threshold the plain store gives infinity, and so does
        // the proof.
        RoundingCase{"JustPastOverflowThreshold",
                     ulps_away(kOverflowThreshold, 8), 4.0, true},
        RoundingCase{"JustShortOfOverflowThreshold",
                     ulps_away(kOverflowThreshold, -8), 4.0, true},
        RoundingCase{"MidpointInTopBinade", kMidInTopBinade, 0.0, false},
        RoundingCase{"BeyondFloatRange", 0x1p128, 0.0, false},
        RoundingCase{"Infinity", kInf, 0.0, false},
        RoundingCase{"NaN", kNaN, 0.0, false},
        RoundingCase{"NaNBound", 1.0, kNaN, false},
        RoundingCase{"BoundTooLargeToProveAnything", 1.0, 0x1p26, false}),
    pipecorr::testing::ByName{});

// Near midpoints, against the distance measured in long double: proven
// exactly when the nearest midpoint lies more than the bound away.
TEST(StoreProvenNearMidpoints, ProvesExactlyWhenTheMidpointIsBeyondTheBound) {
  std::mt19937_64 rng(20240614);
  std::uniform_int_distribution<std::uint32_t> float_bits(0x00800000,
                                                          0x7f7ffffe);
  std::uniform_int_distribution<int> steps(-40, 40);
  std::uniform_int_distribution<int> quarter_ulps(0, 160);
  for (int n = 0; n < 200000; ++n) {
    const float below = std::bit_cast<float>(float_bits(rng));
    const float above = std::nextafter(below, INFINITY);
    const double midpoint =
        (static_cast<double>(below) + static_cast<double>(above)) / 2.0;
    const double fast =
        (n % 2 == 0 ? 1.0 : -1.0) * ulps_away(midpoint, steps(rng));
    const double bound = quarter_ulps(rng) / 4.0;
    // Distance in ulps of `fast` to the midpoint it was made from; the
    // other midpoints lie a float's width (2^29 ulps) away.
    const long double ulp = std::ldexp(1.0L, std::ilogb(fast) - 52);
    const long double distance =
        std::fabs(std::fabs(static_cast<long double>(fast)) - midpoint) / ulp;
    const std::optional<float> result = store_proven(fast, bound);
    ASSERT_EQ(result.has_value(), distance > bound)
        << std::hexfloat << fast << " " << bound;
    if (result) {
      EXPECT_EQ(std::bit_cast<std::uint32_t>(*result),
                std::bit_cast<std::uint32_t>(static_cast<float>(fast)));
    }
  }
}

// An absolute bound in units u = 2^-53, converted to ulps of the value:
// never less than the exact count, at most a hair more.
TEST(UlpsFromAbsolute, CountsTheBoundInUlpsOfTheValue) {
  const struct {
    double units, fast, ulps;
  } cases[] = {
      {8.0, 1.0, 4.0},             // ulp(1) = 2u
      {8.0, 1.999, 4.0},           // same binade
      {8.0, 2.0, 2.0},             // ulp(2) = 4u
      {8.0, -0.75, 8.0},           // ulp(0.75) = u
      {3.0, 0x1p-100, 0x1.8p100},  // 3 u over 2^-152
  };
  for (const auto& c : cases) {
    const double ulps = pipecorr::bb::ulps_from_absolute(c.units, c.fast);
    EXPECT_GE(ulps, c.ulps) << c.fast;
    EXPECT_LE(ulps, c.ulps * (1.0 + 0x1p-19) + 1.0) << c.fast;
  }
}

TEST(StoreFast, RunsThePresentFormulaExactlyWhenNotProven) {
  int plain_runs = 0;
  const auto plain = [&] {
    ++plain_runs;
    return 42.0f;
  };
  const std::uint64_t before = pipecorr::bb::fallbacks_in_this_thread();
  EXPECT_EQ(pipecorr::bb::store_fast(1.0, 8.0, plain), 1.0f);
  EXPECT_EQ(plain_runs, 0);
  EXPECT_EQ(pipecorr::bb::store_fast(kMidAboveOne, 0.0, plain), 42.0f);
  EXPECT_EQ(pipecorr::bb::store_fast(0.0, 0.0, plain), 42.0f);
  EXPECT_EQ(pipecorr::bb::store_fast(1.0, pipecorr::bb::kNotProven, plain),
            42.0f);
  EXPECT_EQ(plain_runs, 3);
  EXPECT_EQ(pipecorr::bb::fallbacks_in_this_thread() - before, 3u);
}

// The bridge's start at Re = 4000 is a constant: the plain formula's
// float on this platform, and the float of the value in long double.
TEST(ColebrookStart, AtFourThousandIsThePresentFloat) {
  using pipecorr::bb::Evaluation;
  const float fast = pipecorr::bb::colebrook_start(4000.0f, Evaluation::kFast);
  const float plain =
      pipecorr::bb::colebrook_start(4000.0f, Evaluation::kPlain);
  EXPECT_EQ(std::bit_cast<std::uint32_t>(fast),
            std::bit_cast<std::uint32_t>(plain));
  const long double exact =
      static_cast<long double>(0.0056f) +
      0.5L / std::pow(4000.0L, static_cast<long double>(0.32f));
  EXPECT_EQ(fast, static_cast<float>(exact));
  // Elsewhere the fast start is computed, and proven, too.
  EXPECT_EQ(pipecorr::bb::colebrook_start(4001.0f, Evaluation::kFast),
            pipecorr::bb::colebrook_start(4001.0f, Evaluation::kPlain));
}

// The inline functions against the long double ones (64-bit significand on
// every target this library is built for, so their own error is far below
// the bounds tested).
TEST(LogOfFloat, WithinItsBoundOverTheWholeFloatRange) {
  std::mt19937 rng(20240611);
  std::uniform_int_distribution<std::uint32_t> bits(1, 0x7f7fffff);
  for (int n = 0; n < 200000; ++n) {
    const float x = std::bit_cast<float>(bits(rng));
    const double fast = pipecorr::bb::log_of_float(x);
    const long double exact = std::log(static_cast<long double>(x));
    const double error =
        static_cast<double>(std::fabs(static_cast<long double>(fast) - exact));
    ASSERT_LE(error, pipecorr::bb::log_of_float_error(fast) * 0x1p-53) << x;
  }
  EXPECT_EQ(pipecorr::bb::log_of_float(0.0f), -kInf);
  EXPECT_TRUE(std::isnan(pipecorr::bb::log_of_float(-1.0f)));
}

TEST(ExpInline, WithinItsBoundBelowSevenHundred) {
  std::mt19937 rng(20240612);
  std::uniform_real_distribution<double> argument(-699.0, 699.0);
  for (int n = 0; n < 200000; ++n) {
    const double t = n < 1000 ? argument(rng) * 1e-3 : argument(rng);
    const double fast = pipecorr::bb::exp_inline(t);
    const long double exact = std::exp(static_cast<long double>(t));
    const double error = static_cast<double>(
        std::fabs((static_cast<long double>(fast) - exact) / exact));
    ASSERT_LE(error, pipecorr::bb::kExpInlineError * 0x1p-53) << t;
  }
}

// Over the inline range, also near the ends of the reduction's quadrants
// (multiples of pi/4) and near the zeros.
TEST(SinInline, WithinItsBoundUpToTheLimit) {
  std::mt19937 rng(20240615);
  std::uniform_real_distribution<double> argument(-3.0, 3.0);
  std::uniform_real_distribution<double> near(-1e-6, 1e-6);
  for (int n = 0; n < 200000; ++n) {
    double x = argument(rng);
    if (n % 4 == 1)
      x = std::round(x * 4.0 / 3.14159265358979) * 0.785398163397 + near(rng);
    if (n % 4 == 2) x = near(rng);
    if (x == 0.0 || std::fabs(x) > pipecorr::bb::kSinInlineLimit) continue;
    const long double exact = std::sin(static_cast<long double>(x));
    const double fast = pipecorr::bb::sin_inline(x);
    ASSERT_LE(static_cast<double>(std::fabs((fast - exact) / exact)),
              pipecorr::bb::kSinInlineError * 0x1p-53)
        << std::hexfloat << x;
  }
}

// The maths library's sin on this platform, within the bound the proofs
// assume for it (2 kSinUlps units u relative) over the same range.
TEST(LibmSin, WithinTheAssumedBound) {
  std::mt19937 rng(20240616);
  std::uniform_real_distribution<double> argument(-3.0, 3.0);
  for (int n = 0; n < 200000; ++n) {
    const double x = argument(rng);
    const long double exact = std::sin(static_cast<long double>(x));
    ASSERT_LE(static_cast<double>(std::fabs((std::sin(x) - exact) / exact)),
              2.0 * pipecorr::bb::accuracy::kSinUlps * 0x1p-53)
        << std::hexfloat << x;
  }
}

}  // namespace
