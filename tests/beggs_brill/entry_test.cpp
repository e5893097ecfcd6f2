// The host-facing entries BB_2 and BB_3: unit conversions, outputs, the
// agreement of the two precisions, and whole calls with the log on.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "beggs_brill/Bb_2.hpp"
#include "beggs_brill/Bb_3.hpp"
#include "beggs_brill/field_units.hpp"
#include "log/debug_log.hpp"
#include "rounding.hpp"
#include "support/work_dir.hpp"

namespace {

using pipecorr::bb::FieldInputs;
using pipecorr::bb::HostInputs;
using pipecorr::bb::to_field_units;
using pipecorr::testing::ByName;
using pipecorr::testing::rounds_to;

constexpr std::size_t kMessage = 150;

// Host arguments of one call, in SI units, held in the host's precision.
template <typename Real>
struct Call {
  std::vector<Real> xinfo = {-7, 42, 43};
  Real usl = 0.5, usg = 2, rol = 800, rog = 40, visl = 0.002f, visg = 0.00002f,
       eps = 0.00005f, sigma = 0.025f, diam = 0.1f, fi = 10, p = 500000;
  Real dp = -1, holdup = -1;
  std::int32_t id = 99, iaux = 99, ierr = 99;
  // One guard character past the 150 the entry may write.
  std::string errmsg = std::string(kMessage + 1, '#');
};

void run(Call<float>& c) {
  pipecorr::bb::bb_2(c.xinfo.data(), &c.usl, &c.usg, &c.rol, &c.rog, &c.visl,
                     &c.visg, &c.eps, &c.sigma, &c.diam, &c.fi, &c.p, &c.dp,
                     &c.holdup, &c.id, &c.iaux, &c.ierr, c.errmsg.data());
}

void run(Call<double>& c) {
  pipecorr::bb::bb_3(c.xinfo.data(), &c.usl, &c.usg, &c.rol, &c.rog, &c.visl,
                     &c.visg, &c.eps, &c.sigma, &c.diam, &c.fi, &c.p, &c.dp,
                     &c.holdup, &c.id, &c.iaux, &c.ierr, c.errmsg.data());
}

std::string padded(const std::string& text) {
  return text + std::string(kMessage - text.size(), ' ') + "#";
}

struct ConversionCase {
  std::string name;
  HostInputs host;
  float FieldInputs::*field;
  double quoted;
  int digits;
};

class Conversions : public ::testing::TestWithParam<ConversionCase> {};

TEST_P(Conversions, FieldValue) {
  const ConversionCase& c = GetParam();
  EXPECT_TRUE(rounds_to(to_field_units(c.host).*c.field, c.quoted, c.digits));
}

HostInputs host_with(double HostInputs::*field, double value) {
  HostInputs h;
  h.*field = value;
  return h;
}

INSTANTIATE_TEST_SUITE_P(
    Entry, Conversions,
    ::testing::Values(
        ConversionCase{"Velocity", host_with(&HostInputs::usl, 1),
                       &FieldInputs::vsl, 3.2808399, 8},
        ConversionCase{"Density", host_with(&HostInputs::rol, 1000),
                       &FieldInputs::dl, 62.42829, 7},
        ConversionCase{"Viscosity", host_with(&HostInputs::visl, 0.001f),
                       &FieldInputs::visl, 1.0, 8},
        ConversionCase{"SurfaceTension", host_with(&HostInputs::sigma, 0.02f),
                       &FieldInputs::stenl, 20.0, 8},
        // 3.14159, not pi.
        ConversionCase{"RightAngle", host_with(&HostInputs::fi, 90),
                       &FieldInputs::arad, 1.570795, 7},
        ConversionCase{"Roughness", host_with(&HostInputs::eps, 0.0254f),
                       &FieldInputs::ruff, 1.0, 7},
        ConversionCase{"Diameter", host_with(&HostInputs::diam, 0.3048f),
                       &FieldInputs::pidft, 1.0, 6},
        ConversionCase{"Pressure", host_with(&HostInputs::p, 100000),
                       &FieldInputs::pave, 14.7, 8},
        ConversionCase{"Atmosphere", host_with(&HostInputs::p, 101325),
                       &FieldInputs::pave, 14.8948, 6}),
    ByName{});

TEST(Entry, ExactConversionsOfExactHostValues) {
  const FieldInputs in = to_field_units(host_with(&HostInputs::usl, 1));
  EXPECT_EQ(in.vsl, 3.28084f);
  EXPECT_EQ(to_field_units(host_with(&HostInputs::p, 100000)).pave, 14.7f);
  EXPECT_EQ(to_field_units(host_with(&HostInputs::sigma, double{0.02f})).stenl,
            20.0f);
}

TEST(Entry, HostValueWithoutAnExactFloatCanDifferInTheLastBit) {
  // 0.3 x 3.2808399200439453 = 0.98425197601... rounds down to 0x1.f7efe0p-1;
  // the single 0.3 (0.30000001192...) gives 0.98425201512..., which rounds
  // up to the next float.
  EXPECT_EQ(to_field_units(host_with(&HostInputs::usl, 0.3)).vsl,
            0x1.f7efe0p-1f);
  EXPECT_EQ(to_field_units(host_with(&HostInputs::usl, double{0.3f})).vsl,
            0x1.f7efe2p-1f);
}

// psi/ft to Pa/m with the factors stored results were made with: 6895 Pa
// per psi and the single 3.2808 ft per m (13760673 / 2^22). Each expected
// value is the exact product DPg x 6895 x 13760673 / 2^22, rounded once to
// double, by rational arithmetic apart from this code.
struct SiGradientCase {
  std::string name;
  float dpg;  // psi/ft
  double pa_per_m;
};

class SiGradient : public ::testing::TestWithParam<SiGradientCase> {};

TEST_P(SiGradient, OneRoundingFromTheStoredFactors) {
  const SiGradientCase& c = GetParam();
  EXPECT_EQ(pipecorr::bb::gradient_in_si(c.dpg), c.pa_per_m);
}

INSTANTIATE_TEST_SUITE_P(
    Entry, SiGradient,
    ::testing::Values(
        // 22621.1167180538177490234375 exactly: no rounding at all.
        SiGradientCase{"OnePsiPerFoot", 1.0f, 0x1.61747784f0000p+14},
        SiGradientCase{"Thousandth", 0x1.0624dep-10f, 0x1.69f01935dbf71p+4},
        SiGradientCase{"TheLoggedCall", 0x1.e99d72p-6f, 0x1.52006d100c183p+9},
        SiGradientCase{"Steep", 0x1.edd2f2p+6f, 0x1.54e844ea931c4p+21}),
    ByName{});

TEST(Entry, GradientFactorsAreTheStoredOnesNotTheExactConversion) {
  // 1 psi/ft is 6894.757293 Pa / 0.3048 m = 22620.5948 Pa/m; the stored
  // factors give half a pascal per metre more, which results keep.
  const double one = pipecorr::bb::gradient_in_si(1.0f);
  EXPECT_TRUE(rounds_to(static_cast<float>(one), 22621.117, 8));
  EXPECT_NEAR(one - 22620.5948, 0.522, 0.001);
}

TEST(Entry, SinglePrecisionOutputs) {
  Call<float> c;
  run(c);
  EXPECT_EQ(c.ierr, 0);
  EXPECT_EQ(c.id, 7);
  EXPECT_EQ(c.iaux, 0);
  EXPECT_EQ(c.xinfo, (std::vector<float>{1, 42, 43}));
  EXPECT_EQ(c.errmsg, padded(""));
  EXPECT_TRUE(rounds_to(c.dp, 676.0034, 7));
  EXPECT_TRUE(rounds_to(c.holdup, 0.3334145, 7));
}

TEST(Entry, DoublePrecisionOutputs) {
  Call<double> c;
  run(c);
  EXPECT_EQ(c.ierr, 0);
  EXPECT_EQ(c.id, 7);
  EXPECT_EQ(c.iaux, 0);
  EXPECT_EQ(c.xinfo, (std::vector<double>{1, 42, 43}));
  EXPECT_EQ(c.errmsg, padded(""));
  EXPECT_TRUE(rounds_to(c.dp, 676.0033704641095, 15));
  // The float holdup widened exactly.
  EXPECT_EQ(c.holdup, double{static_cast<float>(c.holdup)});
}

TEST(Entry, PressureChangesNoOutput) {
  Call<float> a;
  Call<float> b;
  b.p = 1;
  run(a);
  run(b);
  EXPECT_EQ(a.dp, b.dp);
  EXPECT_EQ(a.holdup, b.holdup);
  EXPECT_EQ(a.id, b.id);
}

template <typename Real>
void expect_failure_outputs(Call<Real>& c, const std::string& reason) {
  run(c);
  EXPECT_EQ(c.ierr, 3);
  EXPECT_EQ(c.id, -1);
  EXPECT_EQ(c.iaux, 0);
  EXPECT_EQ(c.dp, Real{0});
  EXPECT_EQ(c.holdup, Real{0});
  EXPECT_EQ(c.xinfo[0], Real{1});
  EXPECT_EQ(c.xinfo[1], Real{42});
  EXPECT_EQ(c.errmsg, padded("Unable to calculate flow regime: " + reason));
  // A good call right after starts afresh.
  Call<Real> good;
  good.errmsg = c.errmsg;
  run(good);
  EXPECT_EQ(good.ierr, 0);
  EXPECT_EQ(good.errmsg, padded(""));
}

// Each row changes one host value of an ordinary point (both precisions
// unless the row names one) and names the reason the host must read.
struct FailureCase {
  std::string name;
  void (*change)(Call<float>&, Call<double>&);
  std::string reason;
  bool single = true;
  bool twin = true;
};

class FailureExit : public ::testing::TestWithParam<FailureCase> {};

TEST_P(FailureExit, SaysTheTrueReason) {
  const FailureCase& row = GetParam();
  Call<float> single;
  Call<double> twin;
  row.change(single, twin);
  if (row.single) expect_failure_outputs(single, row.reason);
  if (row.twin) expect_failure_outputs(twin, row.reason);
}

constexpr float kFloatMax = 3.4e38f;

INSTANTIATE_TEST_SUITE_P(
    Entry, FailureExit,
    ::testing::Values(
        FailureCase{"Diameter",
                    [](Call<float>& s, Call<double>& d) {
                      s.diam = -0.1f;
                      d.diam = -0.1;
                    },
                    "pipe diameter must be positive"},
        FailureCase{"SurfaceTension",
                    [](Call<float>& s, Call<double>& d) {
                      s.sigma = 0;
                      d.sigma = 0;
                    },
                    "surface tension must be positive"},
        FailureCase{"NegativeRoughness",
                    [](Call<float>& s, Call<double>& d) {
                      s.eps = -1;
                      d.eps = -1e-9;
                    },
                    "pipe roughness must not be negative"},
        FailureCase{"NegativeGasDensity",
                    [](Call<float>& s, Call<double>& d) {
                      s.rog = -1;
                      d.rog = -1e-30;
                    },
                    "gas density must not be negative"},
        FailureCase{"NotANumber",
                    [](Call<float>& s, Call<double>& d) {
                      s.p = std::nanf("");
                      d.fi = std::nan("");
                    },
                    "an input is not a finite number"},
        // Finite host values with no finite field value in single
        // precision: 1e300 has no float, 3.4e38 m/s none in ft/s.
        FailureCase{"BeyondSingleRange",
                    [](Call<float>& s, Call<double>& d) {
                      s.usl = kFloatMax;
                      d.p = 1e300;
                    },
                    "an input is beyond the range of the single-precision "
                    "calculation"},
        FailureCase{"VelocityBeyondSingleRange",
                    [](Call<float>&, Call<double>& d) { d.usl = 1e300; },
                    "an input is beyond the range of the single-precision "
                    "calculation",
                    false},
        // A vertical column of a near-limit density: its gradient is a
        // finite float in psi/ft but not in Pa/m. The double entry has room
        // for it.
        FailureCase{"GradientBeyondTheHostsFloat",
                    [](Call<float>& s, Call<double>&) {
                      s.rol = kFloatMax;
                      s.fi = 90;
                    },
                    "pressure gradient is beyond the single-precision range",
                    true, false}),
    [](const auto& row) { return row.param.name; });

TEST(Entry, ZeroGasDensityIsAResult) {
  Call<double> c;
  c.rog = 0;
  run(c);
  EXPECT_EQ(c.ierr, 0);
  EXPECT_GT(c.dp, 0.0);
}

TEST(Entry, TheDoubleEntryKeepsAGradientBeyondTheFloatRange) {
  Call<double> c;
  c.rol = kFloatMax;
  c.fi = 90;
  run(c);
  EXPECT_EQ(c.ierr, 0);
  EXPECT_GT(c.dp, double{kFloatMax});
  EXPECT_TRUE(std::isfinite(c.dp));
}

TEST(Entry, BothPrecisionsAgreeOnFloatInputs) {
  std::mt19937 rng(7);
  std::uniform_real_distribution<float> unit(0.0f, 1.0f);
  for (int i = 0; i < 2000; ++i) {
    Call<float> s;
    s.usl = i % 17 == 0 ? 0.0f : 5.0f * unit(rng) * unit(rng);
    s.usg = 20.0f * unit(rng) * unit(rng);
    s.rol = 500 + 600 * unit(rng);
    s.rog = 1 + 100 * unit(rng);
    s.visl = 0.0001f + 0.05f * unit(rng);
    s.visg = 0.00001f + 0.00003f * unit(rng);
    s.eps = 0.0001f * unit(rng);
    s.sigma = 0.005f + 0.07f * unit(rng);
    s.diam = 0.02f + unit(rng);
    s.fi = i % 11 == 0 ? 0.0f : 180 * unit(rng) - 90;
    s.p = 1e5f + 1e7f * unit(rng);
    Call<double> d;
    d.usl = s.usl, d.usg = s.usg, d.rol = s.rol, d.rog = s.rog;
    d.visl = s.visl, d.visg = s.visg, d.eps = s.eps, d.sigma = s.sigma;
    d.diam = s.diam, d.fi = s.fi, d.p = s.p;
    run(s);
    run(d);
    ASSERT_EQ(s.ierr, d.ierr) << i;
    ASSERT_EQ(s.id, d.id) << i;
    ASSERT_EQ(double{s.holdup}, d.holdup) << i;
    // The single result is the double one rounded once.
    ASSERT_EQ(s.dp, static_cast<float>(d.dp)) << i;
    ASSERT_TRUE(std::isfinite(d.dp)) << i;
    ASSERT_EQ(s.errmsg, d.errmsg) << i;
  }
}

// Whole calls with the log on, against the records the log layout gives
// for this point (values from an independent computation).
class LoggedCall : public ::testing::Test {
 protected:
  void SetUp() override {
    pipecorr::testing::write_file(kLogFile, "");
    saved_ = pipecorr::dbg::log_switch;
    pipecorr::dbg::use_file_name(kLogFile);
    pipecorr::dbg::log_switch = pipecorr::dbg::kSwitchOn;
  }
  void TearDown() override {
    pipecorr::dbg::log_switch = saved_;
    pipecorr::dbg::use_file_name(nullptr);
  }

  static constexpr const char* kLogFile = "usercorr.dbg";
  static std::string log() { return pipecorr::testing::read_file(kLogFile); }

 private:
  pipecorr::testing::ScopedWorkDir dir_;
  std::int32_t saved_ = 0;
};

// The core's part of the log for the point of Call<>.
const std::string kCoreRecords =
    "  Entering BBi\r\n"
    "     vsl =        1.640420\r\n"
    "     vsg =        6.561680\r\n"
    "      dl =       49.942630\r\n"
    "      dg =        2.497132\r\n"
    "    visl =        2.000000\r\n"
    "    visg =    2.000000E-02\r\n"
    "    ruff =    1.968504E-03\r\n"
    "   stenl =       25.000000\r\n"
    "   pidft =    3.280840E-01\r\n"
    "    arad =    1.745328E-01\r\n"
    "    pave =       73.500000\r\n"
    "  Entering FRNBB_q\r\n"
    "     renum =   115372.500000\r\n"
    "     rruff =    5.000000E-04\r\n"
    "      frnl =    2.000000E-01\r\n"
    "        hl =    3.334145E-01\r\n"
    "  Entering MOODY_q\r\n"
    "     renum =   115372.500000\r\n"
    "     rruff =    5.000000E-04\r\n"
    " leaving MOODY_q with Fmoody=   1.996165E-02\r\n"
    "  \r\n"
    " leaving FRNBB_q with FFRAT=       1.472489\r\n"
    "  \r\n"
    " leaving BBi with DPg=   2.988373E-02\r\n";

std::string entry_records(const std::string& title, const std::string& visl,
                          const std::string& visg) {
  return title +
         "\r\n"
         "     vsl =        1.640420\r\n"
         "     vsg =        6.561680\r\n"
         "      dl =       49.942630\r\n"
         "      dg =        2.497132\r\n" +
         visl + "        2.000000\r\n" + visg +
         "    2.000000E-02\r\n"
         "    ruff =    1.968504E-03\r\n"
         "   stenl =       25.000000\r\n"
         "   pidft =    3.280840E-01\r\n"
         "    arad =    1.745328E-01\r\n"
         "    pave =       73.500000\r\n";
}

TEST_F(LoggedCall, SinglePrecisionEntry) {
  Call<float> c;
  run(c);
  EXPECT_EQ(log(), entry_records("  Entering BB", "  vislcp =", "  visgcp =") +
                       kCoreRecords +
                       " leaving BB with DP=     676.003400\r\n");
}

TEST_F(LoggedCall, DoublePrecisionEntry) {
  Call<double> c;
  run(c);
  EXPECT_EQ(log(),
            entry_records("  Entering BB8", "   vislcp =", "   visgcp =") +
                kCoreRecords +
                " leaving BB8 with DP=     676.003370464109500\r\n");
}

TEST_F(LoggedCall, FailureStillTracesEntryAndExit) {
  Call<float> c;
  c.usl = 0;
  c.usg = 0;
  run(c);
  const std::string text = log();
  EXPECT_EQ(text.substr(0, 15), "  Entering BB\r\n");
  EXPECT_NE(text.find("  Entering BBi\r\n"), std::string::npos);
  EXPECT_EQ(text.find("FRNBB_q"), std::string::npos);
  const std::string tail =
      " leaving BBi with DPg=   0.000000E+00\r\n"
      " leaving BB with DP=   0.000000E+00\r\n";
  EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
}

TEST_F(LoggedCall, LogOffWritesNothing) {
  pipecorr::dbg::log_switch = pipecorr::dbg::kSwitchOff;
  Call<double> c;
  run(c);
  EXPECT_EQ(log(), "");
}

}  // namespace
