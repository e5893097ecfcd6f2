// Number texts of the debug log, as engineers compare them between runs.
#include "log/number_text.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <limits>
#include <string>

namespace pipecorr::dbg {
namespace {

struct SingleCase {
  const char* name;
  float value;
  const char* text;
};

class SingleText : public ::testing::TestWithParam<SingleCase> {};

TEST_P(SingleText, MatchesLayout) {
  EXPECT_EQ(format_single(GetParam().value).view(), GetParam().text);
}

float from_bits(std::uint32_t bits) { return std::bit_cast<float>(bits); }

INSTANTIATE_TEST_SUITE_P(
    Layout, SingleText,
    ::testing::Values(
        SingleCase{"one", 1.0F, "1.000000"},
        SingleCase{"half", 0.5F, "5.000000E-01"},
        SingleCase{"zero", 0.0F, "0.000000E+00"},
        SingleCase{"negative_zero_has_no_sign", -0.0F, "0.000000E+00"},
        SingleCase{"ten_million", 1.0E7F, "1.000000E+07"},
        SingleCase{"largest_fixed", 9999999.0F, "9999999.000000"},
        SingleCase{"negative_small", -2.5E-5F, "-2.500000E-05"},
        SingleCase{"three_integer_digits", 123.456F, "123.456000"},
        SingleCase{"rounds_up_at_7_digits", 12345.678F, "12345.680000"},
        SingleCase{"just_below_one", 0.99999994F, "9.999999E-01"},
        SingleCase{"tenth_shows_7_digits", 0.1F, "1.000000E-01"},
        SingleCase{"negative_fixed", -12.5F, "-12.500000"},
        SingleCase{"conversion_factor", 3.28084F, "3.280840"},
        SingleCase{"wide_fixed", 8388607.5F, "8388608.000000"},
        // 9.99999991e-38: seven nines then a 9 carry into a new digit.
        SingleCase{"carry_adds_digit", from_bits(0x02081CEAU), "1.000000E-37"},
        SingleCase{"smallest_subnormal",
                   std::numeric_limits<float>::denorm_min(), "1.401298E-45"},
        SingleCase{"smallest_normal", std::numeric_limits<float>::min(),
                   "1.175494E-38"},
        SingleCase{"largest", std::numeric_limits<float>::max(),
                   "3.402823E+38"},
        SingleCase{"lowest", std::numeric_limits<float>::lowest(),
                   "-3.402823E+38"},
        SingleCase{"infinity", std::numeric_limits<float>::infinity(),
                   "1#INF........"},
        SingleCase{"minus_infinity_has_no_sign",
                   -std::numeric_limits<float>::infinity(), "1#INF........"},
        SingleCase{"quiet_nan", from_bits(0x7FC00000U), "1#QNAN......."},
        SingleCase{"indefinite_nan", from_bits(0xFFC00000U), "1#IND........"},
        SingleCase{"signalling_nan", from_bits(0x7F800001U), "1#SNAN......."}),
    [](const auto& row) { return std::string(row.param.name); });

struct DoubleCase {
  const char* name;
  double value;
  const char* text;
};

class DoubleText : public ::testing::TestWithParam<DoubleCase> {};

TEST_P(DoubleText, MatchesLayout) {
  EXPECT_EQ(format_double(GetParam().value).view(), GetParam().text);
}

double from_bits64(std::uint64_t bits) { return std::bit_cast<double>(bits); }

INSTANTIATE_TEST_SUITE_P(
    Layout, DoubleText,
    ::testing::Values(
        DoubleCase{"one", 1.0, "1.000000000000000"},
        DoubleCase{"third_of_hundred", 100.0 / 3.0, "33.333333333333340"},
        DoubleCase{"thousandth", 0.001, "1.000000000000000E-003"},
        DoubleCase{"zero", 0.0, "0.000000000000000E+000"},
        DoubleCase{"tiny_negative", -1.5E-300, "-1.500000000000000E-300"},
        DoubleCase{"tenth", 0.1, "1.000000000000000E-001"},
        DoubleCase{"sixteen_digits_then_zeros", 123456.7890123456789,
                   "123456.789012345700000"},
        DoubleCase{"half", 0.5, "5.000000000000000E-001"},
        DoubleCase{"two", 2.0, "2.000000000000000"},
        DoubleCase{"largest_fixed", 9999999.0, "9999999.000000000000000"},
        DoubleCase{"ten_million", 1.0E7, "1.000000000000000E+007"},
        DoubleCase{"single_widened", double{2.1F}, "2.099999904632568"},
        DoubleCase{"just_below_one", 0.99999999999999989,
                   "9.999999999999999E-001"},
        DoubleCase{"smallest_subnormal",
                   std::numeric_limits<double>::denorm_min(),
                   "4.940656458412465E-324"},
        DoubleCase{"largest", std::numeric_limits<double>::max(),
                   "1.797693134862316E+308"},
        DoubleCase{"infinity", std::numeric_limits<double>::infinity(),
                   "1#INF................."},
        DoubleCase{"quiet_nan", from_bits64(0x7FF8000000000000ULL),
                   "1#QNAN................"},
        DoubleCase{"indefinite_nan", from_bits64(0xFFF8000000000000ULL),
                   "1#IND................."}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(IntegerText, PlainDecimalWithMinusOnly) {
  EXPECT_EQ(format_integer(0).view(), "0");
  EXPECT_EQ(format_integer(3).view(), "3");
  EXPECT_EQ(format_integer(-1).view(), "-1");
  EXPECT_EQ(format_integer(std::numeric_limits<std::int32_t>::min()).view(),
            "-2147483648");
  EXPECT_EQ(format_integer(std::numeric_limits<std::int32_t>::max()).view(),
            "2147483647");
}

TEST(NumberTextWidth, NeverExceedsItsField) {
  // Walk singles across the whole range, every sign and binade.
  for (std::uint32_t bits = 0; bits < 0xFF800000U; bits += 0x00012345U) {
    const float v = std::bit_cast<float>(bits);
    if (v != v) continue;
    EXPECT_LE(format_single(v).length, 15) << v;
  }
}

}  // namespace
}  // namespace pipecorr::dbg
