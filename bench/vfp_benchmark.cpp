// Lift tables of the bundled well with BB_3 through the plug-in: the
// default 10 rates x 5 THP x 5 water cuts x 5 GORs (1 250 traverses) and a
// 20 x 10 x 10 x 10 table (20 000), on one and on two threads.
#include <benchmark/benchmark.h>

#include "cases/well_case.hpp"
#include "numbers/unit_factors.hpp"
#include "plugin/correlation.hpp"
#include "plugin/plugin_library.hpp"
#include "studies/vfp_build.hpp"

namespace {

using namespace pipecorr::hostkit;
namespace u = pipecorr::units;

struct Setup {
  PluginLibrary library{PIPECORR_PLUGIN};
  CorrelationSet correlations{library};
  WellCase well = load_well_case(EXAMPLES_DIR "/field_well.case");
};

Setup& setup() {
  static Setup instance;
  return instance;
}

std::vector<double> evenly(double from, double to, int n) {
  std::vector<double> values;
  for (int k = 0; k < n; ++k)
    values.push_back(from + (to - from) * k / (n - 1));
  return values;
}

// The larger table over the same ranges as the default one.
WellCase large_table_case() {
  WellCase c = setup().well;
  for (const double stb_d : evenly(50, 2000, 20)) {
    c.vfp.rates.push_back(u::stb_per_day_to_m3_per_s(stb_d));
  }
  for (const double psia : evenly(112.5, 300, 10)) {
    c.vfp.thp.push_back(u::psia_to_pa(psia));
  }
  c.vfp.water = evenly(0, 0.95, 10);
  for (const double scf_stb : evenly(400, 3200, 10)) {
    c.vfp.gas.push_back(u::scf_per_stb_to_m3_per_m3(scf_stb));
  }
  return c;
}

void run(benchmark::State& state, const WellCase& c) {
  const Correlation& bb3 = setup().correlations.choose("BB_3");
  VfpRunOptions options;
  options.threads = static_cast<std::size_t>(state.range(0));
  std::size_t points = 0;
  for (auto _ : state) {
    const VfpBuild build = build_vfp(bb3, c, options);
    if (build.filled() > 0) state.SkipWithError("a point was filled");
    points = build.bhp.size();
  }
  state.counters["traverses"] = static_cast<double>(points);
  state.counters["per_traverse_ms"] =
      benchmark::Counter(static_cast<double>(points) * 1e-3,
                         benchmark::Counter::kIsIterationInvariantRate |
                             benchmark::Counter::kInvert);
}

void BM_VfpBundledWellDefaultTable(benchmark::State& state) {
  run(state, setup().well);
}
BENCHMARK(BM_VfpBundledWellDefaultTable)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_VfpBundledWell20000(benchmark::State& state) {
  static const WellCase large = large_table_case();
  run(state, large);
}
BENCHMARK(BM_VfpBundledWell20000)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(3);

}  // namespace
