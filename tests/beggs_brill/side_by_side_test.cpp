// The fast path against the plain path on random points: every stored
// quantity, step by step, must have the same bits. Both precisions: half of
// the points come as single-precision host values (BB_2), half as double
// (BB_3).
//
//   beggs_brill_side_by_side_test [POINTS] [gtest flags]
//
// POINTS defaults to 10^6; the native build runs 10^7, slow builds fewer.
#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <random>
#include <string>

#include "beggs_brill/Bbi.hpp"
#include "beggs_brill/field_units.hpp"
#include "beggs_brill/flow_map.hpp"
#include "beggs_brill/friction.hpp"
#include "beggs_brill/gradient.hpp"
#include "beggs_brill/holdup.hpp"
#include "beggs_brill/proven_store.hpp"

namespace {

using pipecorr::bb::Evaluation;
using pipecorr::bb::FieldInputs;
using pipecorr::bb::HostInputs;
using pipecorr::bb::kL1;
using pipecorr::bb::kL2;
using pipecorr::bb::kL3;
using pipecorr::bb::kL4;

long g_points = 1000000;

double log_uniform(std::mt19937_64& rng, double lo, double hi) {
  return std::pow(10.0, std::uniform_real_distribution<double>(lo, hi)(rng));
}

double uniform(std::mt19937_64& rng, double lo, double hi) {
  return std::uniform_real_distribution<double>(lo, hi)(rng);
}

bool chance(std::mt19937_64& rng, double p) { return uniform(rng, 0, 1) < p; }

// Over every flow pattern, up and downhill, laminar, bridged and turbulent
// friction, dry gas and liquid only; SI units.
HostInputs random_point(std::mt19937_64& rng) {
  HostInputs h;
  h.usl = chance(rng, 0.04) ? 0.0 : log_uniform(rng, -3.0, 1.0);
  h.usg = chance(rng, 0.04) ? 0.0 : log_uniform(rng, -3.0, 1.6);
  if (h.usl == 0.0 && h.usg == 0.0) h.usg = 1.0;
  h.rol = uniform(rng, 500.0, 1100.0);
  h.rog = uniform(rng, 0.5, 150.0);
  h.visl = chance(rng, 0.1) ? log_uniform(rng, -1.0, 1.0)
                            : log_uniform(rng, -4.0, -1.0);
  h.visg = log_uniform(rng, -5.3, -4.3);
  h.eps = log_uniform(rng, -6.0, -3.3);
  h.sigma = uniform(rng, 0.005, 0.08);
  h.diam = uniform(rng, 0.02, 1.0);
  h.fi = chance(rng, 0.1) ? 0.0 : uniform(rng, -90.0, 90.0);
  h.p = uniform(rng, 1e5, 2e7);
  return h;
}

HostInputs in_single_precision(HostInputs h) {
  for (double* v : {&h.usl, &h.usg, &h.rol, &h.rog, &h.visl, &h.visg, &h.eps,
                    &h.sigma, &h.diam, &h.fi, &h.p}) {
    *v = static_cast<double>(static_cast<float>(*v));
  }
  return h;
}

// Differences per quantity, by name.
class Tally {
 public:
  void same(const char* name, float plain, float fast) {
    if (std::bit_cast<std::uint32_t>(plain) !=
        std::bit_cast<std::uint32_t>(fast)) {
      if (differences_[name]++ == 0) {
        std::printf("first difference in %s: plain %a, fast %a\n", name,
                    static_cast<double>(plain), static_cast<double>(fast));
      }
    }
    ++compared_;
  }
  void same(const char* name, std::int32_t plain, std::int32_t fast) {
    same(name, std::bit_cast<float>(plain), std::bit_cast<float>(fast));
  }
  [[nodiscard]] long total() const {
    long sum = 0;
    for (const auto& [name, count] : differences_) sum += count;
    return sum;
  }
  [[nodiscard]] long compared() const { return compared_; }

 private:
  std::map<std::string, long> differences_;
  long compared_ = 0;
};

// Every stage on both paths, fed from the same stored values.
void compare_stages(const FieldInputs& in, Tally& t) {
  using pipecorr::bb::map_quantities;
  const auto mx = map_quantities(in.vsl, in.vsg, in.pidft, Evaluation::kPlain);
  const auto mf = map_quantities(in.vsl, in.vsg, in.pidft, Evaluation::kFast);
  t.same("L1", mx.l[kL1], mf.l[kL1]);
  t.same("L2", mx.l[kL2], mf.l[kL2]);
  t.same("L3", mx.l[kL3], mf.l[kL3]);
  t.same("L4", mx.l[kL4], mf.l[kL4]);
  // The core's map: the same pattern, and every boundary it stored (the
  // others NaN) the plain one; a transition point has L2 and L3.
  const auto mp =
      pipecorr::bb::map_point(in.vsl, in.vsg, in.pidft, Evaluation::kFast);
  t.same("map_point pattern", pipecorr::bb::flow_pattern(mx), mp.pattern);
  for (std::size_t k = 0; k < mx.l.size(); ++k) {
    if (!std::isnan(mp.map.l[k])) t.same("stored L", mx.l[k], mp.map.l[k]);
  }
  if (mp.pattern == pipecorr::bb::kTransition) {
    t.same("transition L2", mx.l[kL2], mp.map.l[kL2]);
    t.same("transition L3", mx.l[kL3], mp.map.l[kL3]);
  }
  const std::int32_t pattern = pipecorr::bb::flow_pattern(mx);
  t.same("pattern", pattern, pipecorr::bb::flow_pattern(mf));
  const auto slope = pipecorr::bb::slope_of(in.vsl, in.dl, in.stenl, in.arad);
  const auto cx = pipecorr::bb::correction_of(slope, Evaluation::kPlain);
  const auto cf = pipecorr::bb::correction_of(slope, Evaluation::kFast);
  t.same("s", cx.s, cf.s);
  t.same("NLV", cx.nlv, cf.nlv);
  if (in.vsl > 0.0f) {
    for (const bool intermittent : {false, true}) {
      const auto hx = pipecorr::bb::inclined_holdup(mx, slope, intermittent,
                                                    Evaluation::kPlain);
      const auto hf = pipecorr::bb::inclined_holdup(mf, slope, intermittent,
                                                    Evaluation::kFast);
      t.same("hl0", hx.hl0, hf.hl0);
      t.same("C", hx.c, hf.c);
      t.same("psi", hx.psi, hf.psi);
      t.same("inclined hl", hx.hl, hf.hl);
    }
  }
  if (pattern == pipecorr::bb::kUndefinedRegime) return;
  const float hl =
      pipecorr::bb::liquid_holdup(pattern, mx, slope, Evaluation::kPlain);
  t.same("holdup", hl,
         pipecorr::bb::liquid_holdup(pattern, mf, slope, Evaluation::kFast));
  const auto mix = pipecorr::bb::mixture_of(in, hl);
  float fn_x = 0.0f;
  float fn_f = 0.0f;
  pipecorr::bb::MOODY_q(mix.renum, mix.rruff, fn_x, Evaluation::kPlain);
  pipecorr::bb::MOODY_q(mix.renum, mix.rruff, fn_f, Evaluation::kFast);
  t.same("Moody factor", fn_x, fn_f);
  t.same("elevation gradient",
         pipecorr::bb::elevation_gradient(in, mix, Evaluation::kPlain),
         pipecorr::bb::elevation_gradient(in, mix, Evaluation::kFast));
  t.same("S", pipecorr::bb::slip_exponent(mix.lambda, hl, Evaluation::kPlain),
         pipecorr::bb::slip_exponent(mix.lambda, hl, Evaluation::kFast));
  float ftp_x = 0.0f;
  float ftp_f = 0.0f;
  float ratio_x = 0.0f;
  float ratio_f = 0.0f;
  pipecorr::bb::FRNBB_q(mix.renum, mix.rruff, mix.lambda, hl, ftp_x, ratio_x,
                        Evaluation::kPlain);
  pipecorr::bb::FRNBB_q(mix.renum, mix.rruff, mix.lambda, hl, ftp_f, ratio_f,
                        Evaluation::kFast);
  t.same("ftp", ftp_x, ftp_f);
  t.same("FFRAT", ratio_x, ratio_f);
}

TEST(SideBySide, EveryStoredQuantityHasTheSameBits) {
  std::mt19937_64 rng(20240613);
  Tally tally;
  long fast_calls = 0;
  std::uint64_t fallbacks = 0;
  std::array<long, 4> patterns{};
  for (long n = 0; n < g_points; ++n) {
    HostInputs host = random_point(rng);
    if (n % 2 == 1) host = in_single_precision(host);
    const FieldInputs in = pipecorr::bb::to_field_units(host);
    const std::string_view problem = pipecorr::bb::range_problem(host, in);

    const pipecorr::bb::Outcome x =
        pipecorr::bb::BBi(in, problem, Evaluation::kPlain);
    const std::uint64_t before = pipecorr::bb::fallbacks_in_this_thread();
    const pipecorr::bb::Outcome f =
        pipecorr::bb::BBi(in, problem, Evaluation::kFast);
    fallbacks += pipecorr::bb::fallbacks_in_this_thread() - before;
    ++fast_calls;
    tally.same("DPg", x.DPg, f.DPg);
    tally.same("final holdup", x.hl, f.hl);
    tally.same("iregime", x.pattern, f.pattern);
    tally.same("failed", std::int32_t{x.failed}, std::int32_t{f.failed});
    EXPECT_EQ(x.reason, f.reason);
    if (!x.failed) {
      ++patterns[static_cast<std::size_t>(x.pattern - 5)];
      compare_stages(in, tally);
    }
  }
  std::printf(
      "%ld points (segregated %ld, transition %ld, intermittent %ld, "
      "distributed %ld), %ld quantities compared, %ld differences; "
      "fallbacks %llu in %ld fast calls (%.3g per call)\n",
      g_points, patterns[0], patterns[1], patterns[2], patterns[3],
      tally.compared(), tally.total(),
      static_cast<unsigned long long>(fallbacks), fast_calls,
      static_cast<double>(fallbacks) / static_cast<double>(fast_calls));
  EXPECT_EQ(tally.total(), 0);
  // Every pattern drawn often enough to matter.
  for (const long count : patterns) EXPECT_GT(count, g_points / 100);
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc > 1) g_points = std::strtol(argv[1], nullptr, 10);
  if (g_points < 1) g_points = 1;
  return RUN_ALL_TESTS();
}
