// Cost of one Beggs & Brill call through the export path (the floating-point
// guard around the entry), per flow pattern and per friction piece, with
// the log off, on the fast and on the plain path (the same bits), and of a
// call that writes its trace.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "bb_points.hpp"
#include "beggs_brill/Bb_2.hpp"
#include "beggs_brill/Bb_3.hpp"
#include "beggs_brill/proven_store.hpp"
#include "exports/boundary.hpp"
#include "log/debug_log.hpp"

namespace {

using pipecorr::bench::Point;

using pipecorr::bb::Evaluation;

void call_bb_3(const Point& pt, double& dp, Evaluation e = Evaluation::kFast) {
  const double* in = pt.v;
  double xinfo = 0, holdup = 0;
  std::int32_t id = 0, iaux = 0, ierr = 0;
  char errmsg[150];
  pipecorr::exports::at_boundary([&] {
    pipecorr::bb::bb_3(&xinfo, &in[0], &in[1], &in[2], &in[3], &in[4], &in[5],
                       &in[6], &in[7], &in[8], &in[9], &in[10], &dp, &holdup,
                       &id, &iaux, &ierr, errmsg, e);
  });
  benchmark::DoNotOptimize(errmsg);
}

void call_bb_2(const float (&in)[11], float& dp, Evaluation e) {
  float xinfo = 0, holdup = 0;
  std::int32_t id = 0, iaux = 0, ierr = 0;
  char errmsg[150];
  pipecorr::exports::at_boundary([&] {
    pipecorr::bb::bb_2(&xinfo, &in[0], &in[1], &in[2], &in[3], &in[4], &in[5],
                       &in[6], &in[7], &in[8], &in[9], &in[10], &dp, &holdup,
                       &id, &iaux, &ierr, errmsg, e);
  });
  benchmark::DoNotOptimize(errmsg);
}

void BM_BB_3(benchmark::State& state, const Point& pt, Evaluation e) {
  pipecorr::dbg::log_switch = pipecorr::dbg::kSwitchOff;
  double dp = 0;
  for (auto _ : state) {
    call_bb_3(pt, dp, e);
    benchmark::DoNotOptimize(dp);
  }
}

void BM_BB_2(benchmark::State& state, const Point& pt, Evaluation e) {
  pipecorr::dbg::log_switch = pipecorr::dbg::kSwitchOff;
  float in[11];
  for (int k = 0; k < 11; ++k) in[k] = static_cast<float>(pt.v[k]);
  float dp = 0;
  for (auto _ : state) {
    call_bb_2(in, dp, e);
    benchmark::DoNotOptimize(dp);
  }
}

// Each case on both paths, one after the other, so that both figures come
// from the same state of the machine.
#define PIPECORR_BOTH_PATHS(entry, name, point)                      \
  BENCHMARK_CAPTURE(entry, name##_plain, point, Evaluation::kPlain); \
  BENCHMARK_CAPTURE(entry, name##_fast, point, Evaluation::kFast)

PIPECORR_BOTH_PATHS(BM_BB_3, segregated, pipecorr::bench::kSegregated);
PIPECORR_BOTH_PATHS(BM_BB_3, transition, pipecorr::bench::kTransition);
PIPECORR_BOTH_PATHS(BM_BB_3, intermittent, pipecorr::bench::kIntermittent);
PIPECORR_BOTH_PATHS(BM_BB_3, distributed, pipecorr::bench::kDistributed);
PIPECORR_BOTH_PATHS(BM_BB_3, laminar, pipecorr::bench::kLaminar);
PIPECORR_BOTH_PATHS(BM_BB_3, bridge, pipecorr::bench::kBridge);
PIPECORR_BOTH_PATHS(BM_BB_3, dry_gas, pipecorr::bench::kDryGas);
PIPECORR_BOTH_PATHS(BM_BB_2, segregated, pipecorr::bench::kSegregated);
PIPECORR_BOTH_PATHS(BM_BB_2, transition, pipecorr::bench::kTransition);
PIPECORR_BOTH_PATHS(BM_BB_2, intermittent, pipecorr::bench::kIntermittent);
PIPECORR_BOTH_PATHS(BM_BB_2, distributed, pipecorr::bench::kDistributed);
PIPECORR_BOTH_PATHS(BM_BB_2, laminar, pipecorr::bench::kLaminar);
PIPECORR_BOTH_PATHS(BM_BB_2, bridge, pipecorr::bench::kBridge);

// With the log on every call opens, appends and closes the file seven
// times (entry, core, friction and exit blocks).
void BM_BB_3_LogOn(benchmark::State& state) {
  const char* name = "usercorr.dbg";
  pipecorr::dbg::use_file_name(name);
  std::FILE* f = std::fopen(name, "wb");
  if (f == nullptr) {
    state.SkipWithError("cannot create the log file");
    return;
  }
  std::fclose(f);
  pipecorr::dbg::log_switch = pipecorr::dbg::kSwitchOn;
  double dp = 0;
  std::int64_t calls = 0;
  for (auto _ : state) {
    call_bb_3(pipecorr::bench::kIntermittent, dp);
    benchmark::DoNotOptimize(dp);
    if (++calls % 4096 == 0) {
      state.PauseTiming();
      std::fclose(std::fopen(name, "wb"));  // keep the file small
      state.ResumeTiming();
    }
  }
  pipecorr::dbg::log_switch = pipecorr::dbg::kSwitchOff;
  std::remove(name);
}
BENCHMARK(BM_BB_3_LogOn);

}  // namespace
