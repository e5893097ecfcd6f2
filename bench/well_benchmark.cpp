// The field traverse of the bundled well (10 000 ft of measured depth, a
// 140-station survey, default settings) and its lift-curve table (20 rates
// x 5 GLRs), through the pipecorr plug-in with BB_3.
#include <benchmark/benchmark.h>

#include "cases/well_case.hpp"
#include "plugin/correlation.hpp"
#include "plugin/plugin_library.hpp"
#include "studies/lift_curves.hpp"
#include "studies/well_traverse.hpp"

namespace {

using namespace pipecorr::hostkit;

struct Setup {
  PluginLibrary library{PIPECORR_PLUGIN};
  CorrelationSet correlations{library};
  WellCase well = load_well_case(EXAMPLES_DIR "/field_well.case");
};

Setup& setup() {
  static Setup instance;
  return instance;
}

void BM_FieldWellTraverse(benchmark::State& state) {
  const Correlation& bb3 = setup().correlations.choose("BB_3");
  std::size_t calls = 0;
  for (auto _ : state) {
    const WellTraverse traverse = traverse_well(bb3, setup().well);
    if (!traverse.completed) state.SkipWithError("the traverse stopped");
    calls = traverse.evaluations;
    benchmark::DoNotOptimize(traverse.answer);
  }
  state.counters["correlation_calls"] = static_cast<double>(calls);
}
BENCHMARK(BM_FieldWellTraverse)->Unit(benchmark::kMillisecond);

void BM_LiftCurveTable(benchmark::State& state) {
  const Correlation& bb3 = setup().correlations.choose("BB_3");
  for (auto _ : state) {
    const LiftCurves curves = compute_lift_curves(bb3, setup().well);
    benchmark::DoNotOptimize(curves.curves.size());
  }
}
BENCHMARK(BM_LiftCurveTable)->Unit(benchmark::kMillisecond);

}  // namespace
