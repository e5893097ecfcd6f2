// A million random host calls of each correlation, from a host that runs
// with divide-by-zero, invalid and overflow traps enabled and in changing
// floating-point states. Inputs mix ordinary values with every hostile
// class (zero, negative, subnormal, huge, beyond single precision, NaN,
// infinities, random bit patterns). Every call must return without a trap,
// leave the host's state as it was, write nothing past its outputs, and
// report either a finite result with a holdup in [0, 1] or the failure
// result.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <random>
#include <stdexcept>
#include <string>

#include "pipecorr/pipecorr.h"
#include "support/host_fp_state.hpp"
#include "support/plugin_library.hpp"

namespace {

using pipecorr::testing::HostFpState;

std::string g_library_path;
long g_calls_per_correlation = 1000000;

constexpr std::size_t kMessage = PIPECORR_ERRMSG_LEN;
constexpr std::size_t kXinfo = PIPECORR_ENGINE_VECTOR_LEN;
constexpr char kCanary = '\x7f';

// An ordinary point: velocities, densities, viscosities, roughness,
// tension, diameter, inclination and pressure in their working ranges.
struct Ranges {
  double low[11] = {0.0, 0.0, 300, 0.5, 1e-4, 5e-6, 0, 0.005, 0.02, -90, 1e5};
  double high[11] = {6, 60, 1300, 300, 0.2, 5e-5, 5e-4, 0.08, 1.0, 90, 3e7};
};

class Generator {
 public:
  explicit Generator(std::uint64_t seed) : rng_(seed) {}

  void point(double v[11]) {
    const Ranges r;
    // Half the calls are ordinary points; the rest change a few inputs to
    // hostile values.
    for (int k = 0; k < 11; ++k) {
      v[k] = r.low[k] + (r.high[k] - r.low[k]) * unit(rng_);
    }
    if (unit(rng_) < 0.5) return;
    const int changes = 1 + static_cast<int>(rng_() % 3);
    for (int c = 0; c < changes; ++c) v[rng_() % 11] = hostile();
  }

 private:
  double hostile() {
    constexpr double kInf = std::numeric_limits<double>::infinity();
    switch (rng_() % 12) {
      case 0:
        return 0.0;
      case 1:
        return -0.0;
      case 2:
        return -(1e-3 + 1e3 * unit(rng_));
      case 3:
        return std::numeric_limits<double>::denorm_min() * small();
      case 4:
        return double{std::numeric_limits<float>::denorm_min()} * small();
      case 5:
        return 3.4e38 * (0.5 + unit(rng_));
      case 6:
        return std::pow(10.0, 20 + 288 * unit(rng_)) * sign();
      case 7:
        return std::numeric_limits<double>::quiet_NaN();
      case 8:
        return kInf * sign();
      case 9:
        return std::pow(10.0, -300 + 600 * unit(rng_)) * sign();
      case 10:
        return std::numeric_limits<double>::max() * sign();
      default: {
        // Any bit pattern at all.
        return std::bit_cast<double>(rng_());
      }
    }
  }
  double sign() { return (rng_() & 1) ? 1.0 : -1.0; }
  double small() { return static_cast<double>(1 + rng_() % 1000); }

  std::mt19937_64 rng_;
  std::uniform_real_distribution<double> unit{0.0, 1.0};
};

// Outputs with canaries around every buffer, and the checks every call
// must pass.
template <typename Real>
struct Call {
  Real xinfo[kXinfo + 1];
  Real dp, holdup;
  std::int32_t id, iaux, ierr;
  char errmsg[kMessage + 8];

  void arm(bool request) {
    for (Real& x : xinfo) x = Real(-7);
    xinfo[0] = request ? Real(PIPECORR_XINFO_REQUEST) : Real(0);
    dp = holdup = Real(-5);
    id = iaux = ierr = 12345;
    for (char& c : errmsg) c = kCanary;
  }

  // Empty when the call kept every promise; else what it broke.
  std::string broken(bool vector_answered) const {
    for (std::size_t k = kMessage; k < sizeof errmsg; ++k) {
      if (errmsg[k] != kCanary) return "wrote past errmsg";
    }
    for (std::size_t k = 0; k < kMessage; ++k) {
      if (errmsg[k] < ' ' || errmsg[k] > '~') return "errmsg not printable";
    }
    const std::size_t written = vector_answered ? kXinfo : 1;
    for (std::size_t k = written; k <= kXinfo; ++k) {
      if (xinfo[k] != Real(-7)) return "wrote past the xinfo elements";
    }
    if (iaux != 0) return "iaux not 0";
    if (ierr == 0) {
      if (!std::isfinite(dp) || !std::isfinite(holdup)) {
        return "non-finite result with ierr 0";
      }
      if (!(holdup >= Real(0) && holdup <= Real(1))) {
        return "holdup outside [0, 1]";
      }
      if (errmsg[0] != ' ') return "message on success";
      return {};
    }
    if (ierr != PIPECORR_NO_FLOW_REGIME) return "undocumented ierr";
    if (dp != Real(0) || holdup != Real(0) || id != PIPECORR_PATTERN_NONE) {
      return "failure without the failure result";
    }
    return {};
  }
};

std::string describe(const double v[11]) {
  std::string text;
  for (int k = 0; k < 11; ++k) {
    char item[40];
    std::snprintf(item, sizeof item, "%s%.17g", k ? " " : "", v[k]);
    text += item;
  }
  return text;
}

template <typename Real, typename Fn>
void fuzz(Fn fn, std::uint64_t seed, bool vector_requests) {
  Generator gen(seed);
  Call<Real> call;
  double v[11];
  long failures = 0;
  for (long n = 0; n < g_calls_per_correlation && failures < 5; ++n) {
    gen.point(v);
    Real in[11];
    for (int k = 0; k < 11; ++k) in[k] = static_cast<Real>(v[k]);
    const bool request = vector_requests && (n % 7 == 0);
    call.arm(request);
    const HostFpState host = HostFpState::hostile(static_cast<unsigned>(n));
    HostFpState after;
    host.enter();
    fn(call.xinfo, &in[0], &in[1], &in[2], &in[3], &in[4], &in[5], &in[6],
       &in[7], &in[8], &in[9], &in[10], &call.dp, &call.holdup, &call.id,
       &call.iaux, &call.ierr, call.errmsg, pipecorr_len{0});
    after = HostFpState::leave();
    std::string problem = call.broken(request);
    if (problem.empty() && !(after == host)) {
      problem = "host floating-point state changed: " + host.text() +
                " became " + after.text();
    }
    if (!problem.empty()) {
      ADD_FAILURE() << problem << " at call " << n << " inputs " << describe(v);
      ++failures;
    }
  }
}

class Fuzz : public ::testing::Test {
 protected:
  // The correlation `name` of the loaded plug-in; the test is skipped when
  // the plug-in does not offer it (each plug-in runs the same program).
  pipecorr_corr_double_fn offered(const char* name) {
    try {
      return plugin_.entry<pipecorr_corr_double_fn>(name);
    } catch (const std::runtime_error&) {
      return nullptr;
    }
  }

  pipecorr::testing::PluginLibrary plugin_{g_library_path};
};

TEST_F(Fuzz, SinglePrecisionBeggsBrill) {
  if (offered("BB_2") == nullptr) GTEST_SKIP() << "no BB_2 in this plug-in";
  fuzz<float>(plugin_.entry<pipecorr_corr_single_fn>("BB_2"), 2, false);
}

TEST_F(Fuzz, DoublePrecisionBeggsBrill) {
  if (offered("BB_3") == nullptr) GTEST_SKIP() << "no BB_3 in this plug-in";
  fuzz<double>(plugin_.entry<pipecorr_corr_double_fn>("BB_3"), 3, false);
}

TEST_F(Fuzz, Orba) {
  if (offered("ORBA_3") == nullptr) GTEST_SKIP() << "no ORBA_3 in this plug-in";
  fuzz<double>(plugin_.entry<pipecorr_corr_double_fn>("ORBA_3"), 8, true);
}

// The second plug-in's correlations (libpipecorr_wells).
TEST_F(Fuzz, WellCorrelations) {
  const char* names[] = {"HB_3", "GRAY_3", "MB_3", "ANSARI_3"};
  if (offered(names[0]) == nullptr) GTEST_SKIP() << "not the well plug-in";
  std::uint64_t seed = 20;
  for (const char* name : names) {
    SCOPED_TRACE(name);
    const auto entry = offered(name);
    ASSERT_NE(entry, nullptr);
    fuzz<double>(entry, seed++, false);
  }
}

}  // namespace

// fuzz_test [plug-in [calls per correlation]]
int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  g_library_path = pipecorr::testing::plugin_path_from(argc, argv);
  if (argc > 2) g_calls_per_correlation = std::atol(argv[2]);
  return RUN_ALL_TESTS();
}
