// Cost of one call of each libpipecorr_wells export, through the export as
// a host calls it (floating-point guard, entry, core), one point per flow
// pattern. The points are the first of a fixed grid that the export puts
// in each pattern, found once at start-up, so every pattern an entry can
// give on the grid is measured and none is guessed.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <map>
#include <string>

#include "pipecorr/pipecorr.h"
#include "support/plugin_library.hpp"

namespace {

struct Point {
  double usl, usg, rol, rog, visl, visg, eps, sigma, diam, fi, p;
};

struct Result {
  double dp = 0.0, holdup = 0.0;
  std::int32_t id = 0, iaux = 0, ierr = 0;
};

Result call(pipecorr_corr_double_fn entry, const Point& pt) {
  double xinfo = 0.0;
  char errmsg[PIPECORR_ERRMSG_LEN];
  Result r;
  entry(&xinfo, &pt.usl, &pt.usg, &pt.rol, &pt.rog, &pt.visl, &pt.visg, &pt.eps,
        &pt.sigma, &pt.diam, &pt.fi, &pt.p, &r.dp, &r.holdup, &r.id, &r.iaux,
        &r.ierr, errmsg, PIPECORR_ERRMSG_LEN);
  return r;
}

void per_call(benchmark::State& state, pipecorr_corr_double_fn entry,
              Point pt) {
  double nudge = 0.0;
  for (auto _ : state) {
    pt.p += nudge;  // keeps the call inside the loop
    const Result r = call(entry, pt);
    benchmark::DoNotOptimize(r.dp);
    nudge = r.dp * 1e-30;
  }
}

// The first grid point in each pattern of one entry.
std::map<std::int32_t, Point> one_point_per_pattern(
    pipecorr_corr_double_fn entry) {
  std::map<std::int32_t, Point> found;
  for (const double diam : {0.062, 0.1524}) {
    for (const double fi : {90.0, 45.0, 0.0, -30.0, -90.0}) {
      for (const double usl : {0.0, 0.003, 0.05, 0.3, 1.2, 4.0}) {
        for (const double usg : {0.0, 0.02, 0.3, 1.2, 3.0, 10.0, 30.0, 60.0}) {
          const Point pt{usl,    usg,   780.0, 90.0, 2e-3, 1.6e-5,
                         1.8e-5, 0.012, diam,  fi,   1.4e7};
          const Result r = call(entry, pt);
          if (r.ierr == PIPECORR_OK) found.emplace(r.id, pt);
        }
      }
    }
  }
  return found;
}

}  // namespace

int main(int argc, char** argv) {
  const pipecorr::testing::PluginLibrary plugin(PIPECORR_WELLS_PLUGIN);
  for (const char* name : {"HB_3", "GRAY_3", "MB_3", "ANSARI_3"}) {
    const auto entry = plugin.entry<pipecorr_corr_double_fn>(name);
    for (const auto& [pattern, pt] : one_point_per_pattern(entry)) {
      benchmark::RegisterBenchmark(
          (std::string(name) + "/pattern_" + std::to_string(pattern)).c_str(),
          per_call, entry, pt);
    }
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
