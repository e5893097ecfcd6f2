// The ORBA_3 adapter against a scripted engine: what the engine is handed,
// how its output vector is mapped back, and what the host gets when no
// sound result exists.
#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "adapter/orba_adapter.hpp"
#include "adapter/pattern_code.hpp"
#include "support/orba_scripted_engine.hpp"

namespace {

using pipecorr::orba::Adapter;
using pipecorr::orba::HostInputs;
using pipecorr::orba::Results;
using pipecorr::testing::engine_script;
using pipecorr::testing::EngineScript;
using pipecorr::testing::scripted_engine;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr std::uint64_t kMarkerBits = 0x4000CCCCC0000000;  // 2.1f widened
constexpr std::uint64_t kRpar2Bits = 0x3F50624DE0000000;   // 0.001f widened
constexpr std::string_view kFailureMessage =
    "Unable to calculate flow regime: invalid input";

// Every value inside its range and distinct from the others, so a swapped
// argument shows.
constexpr HostInputs kInputs{1.5,   2.5,  850.0, 35.0, 0.004, 1.5e-05,
                             2e-05, 0.03, 0.15,  12.5, 4e6};

// A plausible engine answer.
std::vector<std::pair<std::size_t, double>> plausible_outputs() {
  return {{1, 0.3}, {2, 40.0}, {3, 2500.0}, {4, 0.0}, {55, 5.0}};
}

class OrbaAdapter : public ::testing::Test {
 protected:
  void SetUp() override {
    engine_script = EngineScript{};
    engine_script.writes = plausible_outputs();
    xinfo_.fill(-7.0);
    xinfo_[0] = 0.0;
  }

  Results call(const HostInputs& in = kInputs) {
    return adapter_.call(&scripted_engine, xinfo_.data(), in);
  }

  void expect_failure(const Results& r) const {
    EXPECT_EQ(r.dp, 0.0);
    EXPECT_EQ(r.holdup, 0.0);
    EXPECT_EQ(r.id, -1);
    EXPECT_EQ(r.iaux, 0);
    EXPECT_EQ(r.ierr, 3);
    EXPECT_EQ(r.reason, "invalid input");
  }

  Adapter adapter_;
  std::array<double, 70> xinfo_{};
};

TEST_F(OrbaAdapter, HandsTheEngineItsArgumentsInItsOwnOrder) {
  call();
  const EngineScript& s = engine_script;
  ASSERT_EQ(s.calls, 1);
  EXPECT_EQ(s.ipar1, 1);
  EXPECT_EQ(s.ipar2, 1);
  EXPECT_EQ(s.usl, kInputs.usl);
  EXPECT_EQ(s.usg, kInputs.usg);
  EXPECT_EQ(s.rol, kInputs.rol);
  EXPECT_EQ(s.rog, kInputs.rog);
  EXPECT_EQ(s.visl, kInputs.visl);
  EXPECT_EQ(s.visg, kInputs.visg);
  EXPECT_EQ(s.sigma, kInputs.sigma);
  EXPECT_EQ(s.diam, kInputs.diam);
  EXPECT_EQ(s.fi, kInputs.fi);  // degrees, not radians
  EXPECT_EQ(s.eps, kInputs.eps);
  EXPECT_EQ(s.wc, 0.0);
  EXPECT_EQ(s.rpar1, 1000.0);
  EXPECT_EQ(std::bit_cast<std::uint64_t>(s.rpar2), kRpar2Bits);
  EXPECT_EQ(s.entr, 0.0);
  EXPECT_EQ(s.ptclc, 0.0);
  EXPECT_EQ(s.constr, "12114001212000000000");
  EXPECT_EQ(s.constr_len, 20);
}

TEST_F(OrbaAdapter, HandsTheEngineTheScreenedValues) {
  HostInputs in = kInputs;
  in.usl = 200.0;
  in.usg = 0.0;
  in.fi = 90.0;
  in.eps = -1.0;
  call(in);
  EXPECT_EQ(engine_script.usg, 1e-06);
  EXPECT_EQ(engine_script.usl, 0.009998);
  EXPECT_EQ(engine_script.fi, 89.99);
  EXPECT_EQ(engine_script.eps, 0.0);
}

TEST_F(OrbaAdapter, MapsTheEngineOutputs) {
  const Results r = call();
  EXPECT_EQ(r.holdup, 0.3);
  EXPECT_EQ(r.dp, 2540.0);
  EXPECT_EQ(r.id, 12);  // engine pattern 5
  EXPECT_EQ(r.iaux, 0);
  EXPECT_EQ(r.ierr, 0);
  EXPECT_TRUE(r.reason.empty());
}

TEST_F(OrbaAdapter, PressureChangesNothing) {
  HostInputs low = kInputs;
  low.p = 1e5;
  HostInputs high = kInputs;
  high.p = 2e7;
  HostInputs nan = kInputs;
  nan.p = kNaN;
  for (const HostInputs& in : {high, nan}) {
    const Results a = call(low);
    const EngineScript seen_low = engine_script;
    const Results b = call(in);
    EXPECT_EQ(a.dp, b.dp);
    EXPECT_EQ(a.holdup, b.holdup);
    EXPECT_EQ(a.id, b.id);
    EXPECT_EQ(a.ierr, b.ierr);
    EXPECT_EQ(seen_low.usl, engine_script.usl);
    EXPECT_EQ(seen_low.fi, engine_script.fi);
    EXPECT_EQ(seen_low.eps, engine_script.eps);
  }
}

struct SumCase {
  const char* name;
  double friction;      // vecout(2)
  double gravity;       // vecout(3)
  double acceleration;  // vecout(4)
  double dp;
};

class GradientSum : public OrbaAdapter,
                    public ::testing::WithParamInterface<SumCase> {};

TEST_P(GradientSum, AddsGravityAndAccelerationFirst) {
  const SumCase& c = GetParam();
  engine_script.writes = {{1, 0.5},
                          {2, c.friction},
                          {3, c.gravity},
                          {4, c.acceleration},
                          {55, 1.0}};
  const Results r = call();
  EXPECT_EQ(r.ierr, 0);
  EXPECT_EQ(r.dp, c.dp);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GradientSum,
    ::testing::Values(SumCase{"whole_numbers", 10.0, 20.0, 30.0, 60.0},
                      // (0.2 + 0.3) + 0.1 is 0.6; (0.1 + 0.2) + 0.3 is not.
                      SumCase{"rounding_shows_the_order", 0.1, 0.2, 0.3, 0.6},
                      // Friction added first would be lost against 1e16.
                      SumCase{"cancelling_terms", 1.0, 1e16, -1e16, 1.0},
                      SumCase{"downhill", 5.0, -800.0, 0.0, -795.0}),
    [](const auto& row) { return std::string(row.param.name); });

struct PatternCase {
  const char* name;
  double vecout55;
  std::int32_t iflowp;
  std::int32_t id;
};

class PatternNumber : public OrbaAdapter,
                      public ::testing::WithParamInterface<PatternCase> {};

TEST_P(PatternNumber, TruncatesTowardZeroInEveryRoundingMode) {
  const PatternCase& c = GetParam();
  EXPECT_EQ(pipecorr::orba::truncate_pattern(c.vecout55), c.iflowp);
  engine_script.writes = plausible_outputs();
  engine_script.writes.back() = {55, c.vecout55};
  const int saved = std::fegetround();
  for (const int mode : {FE_TONEAREST, FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO}) {
    ASSERT_EQ(std::fesetround(mode), 0);
    const Results r = call();
    std::fesetround(saved);
    EXPECT_EQ(r.id, c.id) << "rounding mode " << mode;
    // A pattern number without a host code leaves the rest of the result.
    EXPECT_EQ(r.ierr, 0);
    EXPECT_EQ(r.holdup, 0.3);
    EXPECT_EQ(r.dp, 2540.0);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PatternNumber,
    ::testing::Values(
        PatternCase{"one", 1.0, 1, 9}, PatternCase{"two", 2.0, 2, 10},
        PatternCase{"three", 3.0, 3, 11},
        PatternCase{"almost_four", 3.999, 3, 11},
        PatternCase{"four", 4.0, 4, 2},
        PatternCase{"five_and_a_half", 5.5, 5, 12},
        PatternCase{"six", 6.0, 6, 13},
        PatternCase{"almost_eight", 7.9999, 7, 14},
        PatternCase{"eight", 8.0, 8, 4}, PatternCase{"nine", 9.0, 9, 15},
        PatternCase{"ten", 10.0, 10, 16},
        PatternCase{"almost_eleven", 10.999, 10, 16},
        PatternCase{"eleven", 11.0, 11, -1},
        PatternCase{"almost_one", 0.999, 0, -1},
        PatternCase{"zero", 0.0, 0, -1}, PatternCase{"minus_half", -0.5, 0, -1},
        PatternCase{"minus_one", -1.0, -1, -1},
        PatternCase{"int32_max", 2147483647.0, 2147483647, -1},
        PatternCase{"int32_min", -2147483648.0,
                    std::numeric_limits<std::int32_t>::min(), -1},
        PatternCase{"past_int32", 2147483648.0, 0, -1},
        PatternCase{"huge", 1e300, 0, -1},
        PatternCase{"minus_huge", -1e300, 0, -1},
        PatternCase{"infinity", kInf, 0, -1},
        PatternCase{"not_a_number", kNaN, 0, -1}),
    [](const auto& row) { return std::string(row.param.name); });

struct RequestCase {
  const char* name;
  double xinfo1;
  bool returns_vecout;
};

class XinfoRequest : public OrbaAdapter,
                     public ::testing::WithParamInterface<RequestCase> {};

TEST_P(XinfoRequest, ReturnsTheVectorOrTheMarker) {
  const RequestCase& c = GetParam();
  engine_script.writes = plausible_outputs();
  for (std::size_t element = 5; element <= 70; element += 5) {
    if (element != 55)
      engine_script.writes.emplace_back(element,
                                        100.0 + static_cast<double>(element));
  }
  xinfo_[0] = c.xinfo1;
  call();
  if (c.returns_vecout) {
    for (std::size_t i = 0; i < 70; ++i) {
      EXPECT_EQ(xinfo_[i], adapter_.vecout()[i]) << "element " << i + 1;
    }
    EXPECT_EQ(xinfo_[0], 0.3);     // the holdup
    EXPECT_EQ(xinfo_[54], 5.0);    // the pattern number
    EXPECT_EQ(xinfo_[69], 170.0);  // the last element
    EXPECT_EQ(xinfo_[1], 40.0);
    EXPECT_EQ(xinfo_[5], 0.0);  // never written: zero since the start
  } else {
    EXPECT_EQ(std::bit_cast<std::uint64_t>(xinfo_[0]), kMarkerBits);
    for (std::size_t i = 1; i < 70; ++i) {
      EXPECT_EQ(xinfo_[i], -7.0) << "element " << i + 1;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Bounds, XinfoRequest,
    ::testing::Values(RequestCase{"minus_1000", -1000.0, false},
                      RequestCase{"just_above_minus_1000",
                                  std::nextafter(-1000.0, 0.0), true},
                      RequestCase{"minus_999", -999.0, true},
                      RequestCase{"just_below_minus_998",
                                  std::nextafter(-998.0, -kInf), true},
                      RequestCase{"minus_998", -998.0, false},
                      RequestCase{"zero", 0.0, false},
                      RequestCase{"minus_infinity", -kInf, false},
                      RequestCase{"not_a_number", kNaN, false}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(OrbaAdapter, UnwrittenElementsKeepThePreviousCallsValues) {
  engine_script.writes = plausible_outputs();
  engine_script.writes.emplace_back(40, 123.5);
  engine_script.writes.emplace_back(70, -1.25);
  call();
  engine_script.writes = {{1, 0.7}, {2, 1.0}, {3, 2.0}, {4, 3.0}, {55, 2.0}};
  xinfo_[0] = -999.0;
  call();
  // The engine saw the previous outputs on entry ...
  EXPECT_EQ(engine_script.vecout_on_entry[0], 0.3);
  EXPECT_EQ(engine_script.vecout_on_entry[39], 123.5);
  // ... and the host gets the stale elements back with the fresh ones.
  EXPECT_EQ(xinfo_[0], 0.7);
  EXPECT_EQ(xinfo_[39], 123.5);
  EXPECT_EQ(xinfo_[69], -1.25);
  EXPECT_EQ(xinfo_[54], 2.0);
}

// The vector persists for the next engine call, but a point the engine was
// not called for answers a diagnostic request with zeros, not with the
// previous point's outputs (and xinfo holds that point's copy until then).
TEST_F(OrbaAdapter, FailedCallsKeepTheVectorButNeverHandItBack) {
  engine_script.writes = plausible_outputs();
  engine_script.writes.emplace_back(40, 123.5);
  xinfo_[0] = -999.0;
  call();
  ASSERT_EQ(xinfo_[39], 123.5);
  HostInputs bad = kInputs;
  bad.rol = kNaN;
  xinfo_[0] = -999.0;
  expect_failure(call(bad));
  EXPECT_EQ(engine_script.calls, 1);
  for (std::size_t i = 0; i < xinfo_.size(); ++i) {
    EXPECT_EQ(xinfo_[i], 0.0) << "element " << i + 1;
  }
  EXPECT_EQ(adapter_.vecout()[39], 123.5);
  EXPECT_EQ(adapter_.vecout()[0], 0.3);
  call();
  EXPECT_EQ(engine_script.vecout_on_entry[39], 123.5);
}

class InvalidInput : public OrbaAdapter,
                     public ::testing::WithParamInterface<int> {};

TEST_P(InvalidInput, FailsWithoutCallingTheEngine) {
  HostInputs in = kInputs;
  double* fields[] = {&in.usl,  &in.usg,   &in.rol,  &in.rog, &in.visl,
                      &in.visg, &in.sigma, &in.diam, &in.fi,  &in.eps};
  *fields[GetParam()] = kNaN;
  xinfo_[0] = 0.0;
  const Results r = call(in);
  EXPECT_EQ(engine_script.calls, 0);
  expect_failure(r);
  EXPECT_EQ(std::bit_cast<std::uint64_t>(xinfo_[0]), kMarkerBits);
}

INSTANTIATE_TEST_SUITE_P(TenInputs, InvalidInput, ::testing::Range(0, 10));

struct EngineFaultCase {
  const char* name;
  std::vector<std::pair<std::size_t, double>> writes;
};

class EngineFault : public OrbaAdapter,
                    public ::testing::WithParamInterface<EngineFaultCase> {};

TEST_P(EngineFault, IsAFailureNotAResult) {
  engine_script.writes = GetParam().writes;
  const Results r = call();
  EXPECT_EQ(engine_script.calls, 1);
  expect_failure(r);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EngineFault,
    ::testing::Values(
        EngineFaultCase{"holdup_nan",
                        {{1, kNaN}, {2, 1.0}, {3, 1.0}, {4, 0.0}, {55, 1.0}}},
        EngineFaultCase{"holdup_infinite",
                        {{1, kInf}, {2, 1.0}, {3, 1.0}, {4, 0.0}, {55, 1.0}}},
        EngineFaultCase{"friction_nan",
                        {{1, 0.5}, {2, kNaN}, {3, 1.0}, {4, 0.0}, {55, 1.0}}},
        EngineFaultCase{"gravity_minus_infinity",
                        {{1, 0.5}, {2, 1.0}, {3, -kInf}, {4, 0.0}, {55, 1.0}}},
        EngineFaultCase{"acceleration_nan",
                        {{1, 0.5}, {2, 1.0}, {3, 1.0}, {4, kNaN}, {55, 1.0}}},
        EngineFaultCase{"terms_cancel_to_nan",
                        {{1, 0.5}, {2, 1.0}, {3, kInf}, {4, -kInf}, {55, 1.0}}},
        EngineFaultCase{
            "sum_overflows",
            {{1, 0.5}, {2, 1e308}, {3, 1e308}, {4, 0.0}, {55, 1.0}}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(OrbaAdapter, RecoversOnTheNextSoundCall) {
  HostInputs bad = kInputs;
  bad.diam = kNaN;
  expect_failure(call(bad));
  const Results r = call();
  EXPECT_EQ(r.ierr, 0);
  EXPECT_TRUE(r.reason.empty());
  EXPECT_EQ(r.holdup, 0.3);
}

TEST(OrbaExportBody, WritesExactly150MessageCharacters) {
  engine_script = EngineScript{};
  engine_script.writes = plausible_outputs();
  const HostInputs& in = kInputs;
  double xinfo[70] = {};
  double dp = -1.0;
  double holdup = -1.0;
  std::int32_t id = 99;
  std::int32_t iaux = 99;
  std::int32_t ierr = 99;
  std::string errmsg(160, 'x');
  pipecorr::orba::orba_3(&scripted_engine, xinfo, &in.usl, &in.usg, &in.rol,
                         &in.rog, &in.visl, &in.visg, &in.eps, &in.sigma,
                         &in.diam, &in.fi, &in.p, &dp, &holdup, &id, &iaux,
                         &ierr, errmsg.data());
  EXPECT_EQ(errmsg, std::string(150, ' ') + std::string(10, 'x'));
  EXPECT_EQ(dp, 2540.0);
  EXPECT_EQ(holdup, 0.3);
  EXPECT_EQ(id, 12);
  EXPECT_EQ(iaux, 0);
  EXPECT_EQ(ierr, 0);

  const double nan = kNaN;
  std::fill(errmsg.begin(), errmsg.end(), 'x');
  pipecorr::orba::orba_3(&scripted_engine, xinfo, &in.usl, &in.usg, &nan,
                         &in.rog, &in.visl, &in.visg, &in.eps, &in.sigma,
                         &in.diam, &in.fi, &in.p, &dp, &holdup, &id, &iaux,
                         &ierr, errmsg.data());
  EXPECT_EQ(errmsg, std::string(kFailureMessage) +
                        std::string(150 - kFailureMessage.size(), ' ') +
                        std::string(10, 'x'));
  EXPECT_EQ(ierr, 3);
  EXPECT_EQ(id, -1);
  EXPECT_EQ(dp, 0.0);
}

}  // namespace
