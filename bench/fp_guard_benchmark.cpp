// What the export guard costs per call, against the full-environment way.
#include <benchmark/benchmark.h>

#include <cfenv>

#include "host/boundary.hpp"

namespace {

void BM_ExportGuard(benchmark::State& state) {
  int calls = 0;
  for (auto _ : state) {
    pipecorr::host::at_boundary([&] { ++calls; });
    benchmark::DoNotOptimize(calls);
  }
}
BENCHMARK(BM_ExportGuard);

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
