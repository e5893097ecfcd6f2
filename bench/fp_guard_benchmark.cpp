// What the export guard costs per call, against the full-environment way.
#include <benchmark/benchmark.h>

#include <xmmintrin.h>

#include <cfenv>

#include "exports/boundary.hpp"

namespace {

void BM_ExportGuard(benchmark::State& state) {
  int calls = 0;
  for (auto _ : state) {
    pipecorr::exports::at_boundary([&] { ++calls; });
    benchmark::DoNotOptimize(calls);
  }
}
BENCHMARK(BM_ExportGuard);

// The same around work that raises the inexact flag, as every correlation
// call does, for a host whose flags are clear (the flag must be dropped on
// return) and for one that has raised it already.
void guard_around_inexact_work(benchmark::State& state, unsigned host) {
  const unsigned saved = _mm_getcsr();
  _mm_setcsr(host);
  double x = 1.0;
  for (auto _ : state) {
    pipecorr::exports::at_boundary([&] {
      benchmark::DoNotOptimize(x);
      x = x / 3.0;
      benchmark::DoNotOptimize(x);
    });
  }
  _mm_setcsr(saved);
}
void BM_ExportGuardInexactHostFlagsClear(benchmark::State& state) {
  guard_around_inexact_work(state, 0x1F80U);
}
BENCHMARK(BM_ExportGuardInexactHostFlagsClear);
void BM_ExportGuardInexactHostFlagSet(benchmark::State& state) {
  guard_around_inexact_work(state, 0x1F80U | _MM_EXCEPT_INEXACT);
}
BENCHMARK(BM_ExportGuardInexactHostFlagSet);

void BM_FullEnvironmentHoldAndRestore(benchmark::State& state) {
  int calls = 0;
  for (auto _ : state) {
    std::fenv_t env;
    std::feholdexcept(&env);
    ++calls;
    benchmark::DoNotOptimize(calls);
    std::fesetenv(&env);
  }
}
BENCHMARK(BM_FullEnvironmentHoldAndRestore);

}  // namespace
