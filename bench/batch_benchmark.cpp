// Throughput of `pipecorr batch`: rows per second through the whole path a
// user's table takes (read, parse, call the plug-in through its export,
// format, write), one benchmark per correlation of the built plug-in.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "jobs/batch.hpp"
#include "plugin/correlation.hpp"
#include "plugin/plugin_library.hpp"

namespace {

using namespace pipecorr::hostkit;

constexpr int kRows = 100'000;

// A table that walks the flow-pattern map, so every pattern's branch runs.
std::filesystem::path make_table(const std::string& correlation) {
  const auto path = std::filesystem::temp_directory_path() /
                    ("pipecorr-batch-bench-" + correlation + ".csv");
  std::ofstream out(path, std::ios::binary);
  out << "usl,usg,rol,rog,visl,visg,eps,sigma,diam,fi,p,correlation\n";
  for (int row = 0; row < kRows; ++row) {
    const double usl = 0.001 * (1 + row % 997);
    const double usg = 0.01 * (1 + row % 1009);
    const int fi = row % 181 - 90;
    out << usl << ',' << usg << ",850,40,0.003,1.3e-5,4.6e-5,0.025,0.1016,"
        << fi << ",4e6," << correlation << '\n';
  }
  return path;
}

void BM_Batch(benchmark::State& state, const std::string& correlation) {
  const PluginLibrary library(PIPECORR_PLUGIN);
  const CorrelationSet correlations(library);
  BatchOptions options;
  options.input = make_table(correlation);
  options.output =
      std::filesystem::temp_directory_path() / "pipecorr-batch-bench-out.csv";
  for (auto _ : state) {
    const auto summary = run_batch(correlations, options);
    benchmark::DoNotOptimize(summary.rows);
    if (summary.malformed != 0) state.SkipWithError("malformed rows");
  }
  state.SetItemsProcessed(state.iterations() * kRows);
  std::filesystem::remove(options.input);
  std::filesystem::remove(*options.output);
}

BENCHMARK_CAPTURE(BM_Batch, BB_2, std::string("BB_2"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Batch, BB_3, std::string("BB_3"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Batch, ORBA_3, std::string("ORBA_3"))
    ->Unit(benchmark::kMillisecond);

}  // namespace
