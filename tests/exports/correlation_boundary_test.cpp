// An exception below a correlation export becomes that correlation's
// failure result; it never reaches the host.
#include <gtest/gtest.h>

#include <cstdint>
#include <new>
#include <string>

#include "adapter/orba_adapter.hpp"
#include "exports/correlation_boundary.hpp"
#include "support/orba_scripted_engine.hpp"

namespace {

using pipecorr::exports::correlation_at_boundary;

// An engine that fails the way a foreign library might: by throwing.
void TWPC20_CALL throwing_engine(std::int32_t*, std::int32_t*, double*, double*,
                                 double*, double*, double*, double*, double*,
                                 double*, double*, double*, double*, double*,
                                 double*, double*, double*, double*, char*,
                                 std::int32_t) {
  throw std::bad_alloc();
}

// One guard character past the 150 an entry may write.
const std::string kInternalError =
    "Unable to calculate flow regime: internal error" +
    std::string(150 - 47, ' ') + "#";

template <typename Real>
struct Outputs {
  Real dp = -1, holdup = -1;
  std::int32_t id = 99, iaux = 99, ierr = 99;
  std::string errmsg = std::string(151, '#');

  pipecorr::exports::CorrelationOutputs<Real> view() {
    return {&dp, &holdup, &id, &iaux, &ierr, errmsg.data()};
  }
  void expect_internal_error() const {
    EXPECT_EQ(dp, Real{0});
    EXPECT_EQ(holdup, Real{0});
    EXPECT_EQ(id, -1);
    EXPECT_EQ(iaux, 0);
    EXPECT_EQ(ierr, 3);
    EXPECT_EQ(errmsg, kInternalError);
  }
};

TEST(CorrelationBoundary, ThrowingBodyGivesTheFailureResult) {
  Outputs<float> single;
  correlation_at_boundary(single.view(), [] { throw 1; });
  single.expect_internal_error();
  Outputs<double> twin;
  correlation_at_boundary(twin.view(), [] { throw std::bad_alloc(); });
  twin.expect_internal_error();
}

TEST(CorrelationBoundary, OrbaWithAThrowingEngine) {
  const pipecorr::orba::HostInputs in{1,      1,    1000, 50, 1e-3, 1e-5,
                                      4.5e-5, 0.03, 0.1,  0,  1e5};
  double xinfo[70] = {};
  Outputs<double> out;
  correlation_at_boundary(out.view(), [&] {
    pipecorr::orba::orba_3(&throwing_engine, xinfo, &in.usl, &in.usg, &in.rol,
                           &in.rog, &in.visl, &in.visg, &in.eps, &in.sigma,
                           &in.diam, &in.fi, &in.p, &out.dp, &out.holdup,
                           &out.id, &out.iaux, &out.ierr, out.errmsg.data());
  });
  out.expect_internal_error();
}

TEST(CorrelationBoundary, QuietBodyWritesNothingOfItsOwn) {
  Outputs<double> out;
  correlation_at_boundary(out.view(), [&] { out.ierr = 0; });
  EXPECT_EQ(out.ierr, 0);
  EXPECT_EQ(out.dp, -1.0);
  EXPECT_EQ(out.errmsg, std::string(151, '#'));
}

}  // namespace
