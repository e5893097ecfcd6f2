// The single-phase Moody factor and the two-phase Beggs & Brill multiplier.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "beggs_brill/field_inputs.hpp"
#include "beggs_brill/friction.hpp"
#include "rounding.hpp"

namespace {

using pipecorr::bb::colebrook;
using pipecorr::bb::FRNBB_q;
using pipecorr::bb::MOODY_q;
using pipecorr::bb::slip_exponent;
using pipecorr::testing::ByName;
using pipecorr::testing::rounds_to;

float moody(float renum, float rruff) {
  float f = 0.0f;
  MOODY_q(renum, rruff, f);
  return f;
}

struct MoodyCase {
  std::string name;
  float renum, rruff;
  double quoted;
  int digits;
};

class MoodyPieces : public ::testing::TestWithParam<MoodyCase> {};

TEST_P(MoodyPieces, QuotedFactor) {
  const MoodyCase& c = GetParam();
  EXPECT_TRUE(rounds_to(moody(c.renum, c.rruff), c.quoted, c.digits));
}

INSTANTIATE_TEST_SUITE_P(
    Friction, MoodyPieces,
    ::testing::Values(MoodyCase{"Laminar1000", 1000, 0, 0.064, 7},
                      MoodyCase{"LaminarAt2000", 2000, 0, 0.032, 7},
                      MoodyCase{"Bridge3000", 3000, 0, 0.03595, 4},
                      MoodyCase{"BridgeEndAt4000", 4000, 0, 0.03991, 4},
                      MoodyCase{"Turbulent1e5", 100000, 0.0001f, 0.01851, 4},
                      MoodyCase{"TransitionExample", 22287, 0.0012f, 0.027778,
                                5}),
    ByName{});

TEST(Moody, JoinsWithoutAJump) {
  EXPECT_EQ(moody(2000, 0), 0.032f);
  // Just above 2000 the bridge rises from 0.032, where the laminar law
  // would fall below it.
  EXPECT_GE(moody(std::nextafter(2000.0f, 3000.0f), 0), 0.032f);
  const float above = moody(2001, 0);
  EXPECT_GT(above, 0.032f);
  EXPECT_LT(above, 0.03201f);
  // At 4000 the bridge ends exactly on the Colebrook value.
  EXPECT_EQ(moody(4000, 0), colebrook(4000, 0).f);
  EXPECT_EQ(moody(4000, 0.001f), colebrook(4000, 0.001f).f);
  // Just past 4000 the Colebrook law takes over at the true Reynolds
  // number, from practically the same value.
  EXPECT_NEAR(moody(std::nextafter(4000.0f, 5000.0f), 0), moody(4000, 0), 1e-6);
}

// The bridge between 2000 and 4000, bit for bit against the second
// transcription (reference.py, moody()): the straight line from 0.032 to
// the iteration's factor at 4000, smooth and rough.
struct BridgeCase {
  std::string name;
  float renum, rruff;
  float factor;
};

class Bridge : public ::testing::TestWithParam<BridgeCase> {};

TEST_P(Bridge, SecondTranscriptionsFactor) {
  const BridgeCase& c = GetParam();
  EXPECT_EQ(moody(c.renum, c.rruff), c.factor);
}

INSTANTIATE_TEST_SUITE_P(
    Friction, Bridge,
    ::testing::Values(BridgeCase{"Smooth2500", 2500, 0, 0x1.165658p-5f},
                      BridgeCase{"Smooth3000", 3000, 0, 0x1.2687d4p-5f},
                      BridgeCase{"Smooth3500", 3500, 0, 0x1.36b950p-5f},
                      BridgeCase{"Rough2001", 2001, 0.0005f, 0x1.062db0p-5f},
                      BridgeCase{"Rough2500", 2500, 0.0005f, 0x1.175f28p-5f},
                      BridgeCase{"Rough3000", 3000, 0.0005f, 0x1.289972p-5f},
                      BridgeCase{"Rough3500", 3500, 0.0005f, 0x1.39d3bcp-5f},
                      BridgeCase{"Rough4000", 4000, 0.0005f, 0x1.4b0e06p-5f}),
    ByName{});

TEST(Moody, BridgeEndsNearColebrooksRoot) {
  // The roots of Colebrook's equation at Re = 4000, solved to convergence
  // in double apart from this code: 0.0399070 smooth and 0.0404117 for a
  // relative roughness of 0.0005. The iteration stops within its 1e-4.
  EXPECT_NEAR(moody(4000, 0), 0.0399070, 0.0399070 * 1e-4);
  EXPECT_NEAR(moody(4000, 0.0005f), 0.0404117, 0.0404117 * 1e-4);
}

TEST(Colebrook, StopsAtTheFirstSmallChange) {
  EXPECT_EQ(colebrook(100000, 0.0001f).evaluations, 4);
  EXPECT_EQ(colebrook(22287, 0.0012f).evaluations, 4);
}

TEST(Colebrook, NeverMoreThan21Evaluations) {
  // A relative change that is never small (NaN here) runs the full count.
  const auto r = colebrook(100000, std::numeric_limits<float>::quiet_NaN());
  EXPECT_EQ(r.evaluations, 21);
}

struct SlipCase {
  std::string name;
  float frnl, hl;
  double s;  // quoted exponent
  int digits;
};

class SlipExponent : public ::testing::TestWithParam<SlipCase> {};

TEST_P(SlipExponent, QuotedExponent) {
  const SlipCase& c = GetParam();
  EXPECT_TRUE(rounds_to(slip_exponent(c.frnl, c.hl), c.s, c.digits));
}

INSTANTIATE_TEST_SUITE_P(
    Friction, SlipExponent,
    ::testing::Values(
        SlipCase{"TransitionExample", 0.1f, 0.27731f, 0.36310, 5},
        // 1.1 takes the special form ln(2.2 y - 1.2) = ln 1.22.
        SlipCase{"SpecialForm", 1.1f, 1.0f, 0.198851, 5},
        // The single 1.2 itself is outside the open interval: general form.
        SlipCase{"GeneralAt12", 1.2f, 1.0f, 0.3655, 4},
        SlipCase{"SpecialJustBelow12", std::nextafter(1.2f, 0.0f), 1.0f,
                 0.364643, 5},
        // Just below 1 the general form, ln y / -0.0523 to first order.
        SlipCase{"GeneralJustBelow1", std::nextafter(1.0f, 0.0f), 1.0f,
                 1.1397e-6, 4},
        // Just above 1 the special form, 2.2 (y - 1) to first order; the
        // general form would be negative there.
        SlipCase{"SpecialJustAbove1", std::nextafter(1.0f, 2.0f), 1.0f,
                 2.6226e-7, 4}),
    ByName{});

TEST(SlipExponent, ExactlyOneIsNoSlip) {
  EXPECT_EQ(slip_exponent(0.25f, 0.5f), 0.0f);
}

TEST(SlipExponent, DryGasIsTheSinglePhaseLimit) {
  EXPECT_EQ(slip_exponent(0.0f, 0.0f), 0.0f);
  // The limit it stands for: S goes to 0 as the liquid fraction vanishes.
  EXPECT_LT(std::fabs(slip_exponent(1e-30f, 1e-6f)), 0.05f);
}

TEST(SlipExponent, PoleOfTheGeneralFormGivesNoNaN) {
  // The general denominator changes sign between these two floats of y
  // (ln y near -8.2437): S runs off to +-infinity there, never to NaN, so
  // the multiplier is infinite (caught later as an out-of-range gradient)
  // or zero.
  const float above = 0x1.13b08ap-12f;
  const float below = std::nextafter(above, 0.0f);
  EXPECT_GT(slip_exponent(above, 1.0f), 1e6f);
  EXPECT_LT(slip_exponent(below, 1.0f), -1e5f);
  float ftp = 0.0f;
  float ffrat = 0.0f;
  FRNBB_q(50000, 0.0001f, above, 1.0f, ftp, ffrat);
  EXPECT_TRUE(std::isinf(ftp));
  FRNBB_q(50000, 0.0001f, below, 1.0f, ftp, ffrat);
  EXPECT_EQ(ftp, 0.0f);
}

struct TwoPhaseCase {
  std::string name;
  float renum, rruff, frnl, hl;
  double ftp;
  int ftp_digits;
  double ffrat;
  int ffrat_digits;
};

class TwoPhaseFactor : public ::testing::TestWithParam<TwoPhaseCase> {};

TEST_P(TwoPhaseFactor, QuotedFactors) {
  const TwoPhaseCase& c = GetParam();
  float ftp = 0.0f;
  float ffrat = 0.0f;
  FRNBB_q(c.renum, c.rruff, c.frnl, c.hl, ftp, ffrat);
  EXPECT_TRUE(rounds_to(ftp, c.ftp, c.ftp_digits));
  EXPECT_TRUE(rounds_to(ffrat, c.ffrat, c.ffrat_digits));
}

INSTANTIATE_TEST_SUITE_P(
    Friction, TwoPhaseFactor,
    ::testing::Values(TwoPhaseCase{"TransitionExample", 22287, 0.0012f, 0.1f,
                                   0.27731f, 0.039939, 5, 1.43778, 6},
                      TwoPhaseCase{"YOne", 22287, 0.0012f, 0.25f, 0.5f,
                                   0.027778, 5, 1.0, 7},
                      TwoPhaseCase{"YElevenTenths", 22287, 0.0012f, 1.1f, 1.0f,
                                   0.027778 * 1.22, 3, 1.22, 3},
                      TwoPhaseCase{"YTwelveTenths", 22287, 0.0012f, 1.2f, 1.0f,
                                   0.027778 * 1.441, 3, 1.441, 4}),
    ByName{});

TEST(TwoPhaseFactor, DryGasKeepsTheNoSlipFactor) {
  float ftp = 0.0f;
  float ffrat = 0.0f;
  FRNBB_q(150000, 0.0003f, 0.0f, 0.0f, ftp, ffrat);
  EXPECT_EQ(ftp, moody(150000, 0.0003f));
  EXPECT_EQ(ffrat, 1.0f);
}

}  // namespace
