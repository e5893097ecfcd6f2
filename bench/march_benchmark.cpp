// Cost of a pressure march down and up a 10 000 ft (3048 m) deviated well
// surveyed at 140 stations, with a synthetic gradient callback that costs
// about as much as a correlation call (about 2 us), and of that callback
// alone.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "well/march.hpp"

namespace {

using namespace pipecorr::well;

// Vertical to 900 m, building 2 degrees per 30 m to 50 degrees, then
// holding; 140 stations over 3048 m of hole.
WellPath benchmark_path() {
  std::vector<SurveyStation> survey;
  const double spacing = 3048.0 / 139.0;
  for (int i = 0; i < 140; ++i) {
    const double md = spacing * i;
    const double inc = std::clamp((md - 900.0) * (2.0 / 30.0), 0.0, 50.0);
    survey.push_back({md, inc, {}, {}});
  }
  return build_path(survey);
}

// A homogeneous gas-oil mixture: gas density proportional to pressure,
// gravity plus a friction term, and then enough transcendental work to
// cost about what a correlation call costs.
GradientResult synthetic_gradient(const PointConditions& c) {
  const double gas_density =
      c.pressure * (0.016 / (8.314462618 * c.temperature));
  const double area = std::numbers::pi * 0.25 * c.diameter * c.diameter;
  const double usl = 0.002 / area;
  const double usg = 0.05 / (gas_density * area);
  const double lambda = usl / (usl + usg);
  const double density = lambda * 800.0 + (1.0 - lambda) * gas_density;
  const double velocity = usl + usg;
  double work = 0.0;
  for (int i = 0; i < 180; ++i) {
    work += std::pow(1.0 + 1e-3 * i + 1e-9 * c.pressure, 0.37);
  }
  benchmark::DoNotOptimize(work);
  GradientResult r;
  r.gradient = density * 9.80665 * std::sin(c.fi * std::numbers::pi / 180.0) +
               0.02 * density * velocity * velocity / (2.0 * c.diameter);
  r.holdup = lambda;
  r.recorded[0] = usl;
  r.recorded[1] = usg;
  r.recorded[2] = density;
  return r;
}

struct Setup {
  WellPath path = benchmark_path();
  PipeSections pipe = PipeSections::whole_well(0.0762, 4.5e-5);
  TemperatureModel temperature =
      GeothermalTemperature::for_path(path, 288.15, 370.0);
};

void BM_GradientCallback(benchmark::State& state) {
  PointConditions c{1500, 1400, 70, 0.0762, 4.5e-5, 330, 1e7};
  for (auto _ : state) {
    benchmark::DoNotOptimize(synthetic_gradient(c));
    c.pressure += 1.0;
  }
}
BENCHMARK(BM_GradientCallback);

// The march's own cost: a gradient that costs next to nothing.
GradientResult cheap_gradient(const PointConditions& c) {
  GradientResult r;
  r.gradient = 1e-3 * c.pressure * std::sin(c.fi * std::numbers::pi / 180.0);
  return r;
}

void march_benchmark(benchmark::State& state, KnownEnd known, double pressure,
                     const GradientFunction& gradient = synthetic_gradient) {
  const Setup s;
  const MarchWell well{s.path, s.pipe, s.temperature};
  std::size_t evaluations = 0, rows = 0;
  for (auto _ : state) {
    const MarchResult r =
        march(well, known, pressure, FlowDirection::kUpTheWell, gradient);
    if (!r.completed()) state.SkipWithError(r.reason.c_str());
    evaluations = r.evaluations;
    rows = r.rows.size();
    benchmark::DoNotOptimize(r.last_pressure);
  }
  state.counters["evaluations"] = static_cast<double>(evaluations);
  state.counters["rows"] = static_cast<double>(rows);
}

void BM_MarchDownFromWellhead(benchmark::State& state) {
  march_benchmark(state, KnownEnd::kWellhead, 2e6);
}
BENCHMARK(BM_MarchDownFromWellhead)->Unit(benchmark::kMillisecond);

void BM_MarchUpFromBottom(benchmark::State& state) {
  march_benchmark(state, KnownEnd::kBottomHole, 2.5e7);
}
BENCHMARK(BM_MarchUpFromBottom)->Unit(benchmark::kMillisecond);

void BM_MarchOverheadOnly(benchmark::State& state) {
  march_benchmark(state, KnownEnd::kWellhead, 2e6, cheap_gradient);
}
BENCHMARK(BM_MarchOverheadOnly)->Unit(benchmark::kMicrosecond);

}  // namespace
