// Cost of one call of each well core (HB_3, DR_3, GRAY_3) per flow
// pattern, on the value-typed core (no export layer yet), and of each
// portable elementary function.
#include <benchmark/benchmark.h>

#include <cstddef>

#include "portable_math/portable_math.hpp"
#include "wells/duns_ros.hpp"
#include "wells/gray.hpp"
#include "wells/hagedorn_brown.hpp"

namespace {

using pipecorr::wells::WellOutcome;
using pipecorr::wells::WellPoint;

// usl usg rol rog visl visg eps sigma diam fi p
constexpr WellPoint kOilLowGas{0.3,    0.02,  780.0, 90.0, 2e-3, 1.6e-5,
                               1.8e-5, 0.012, 0.062, 90.0, 1.4e7};
constexpr WellPoint kMonograph{1.210056, 1.176528, 762.64,    94.189,
                               9.7e-4,   1.6e-5,   1.8288e-5, 8.41e-3,
                               0.1524,   90.0,     1.17211e7};
constexpr WellPoint kOilHighGas{0.3,    3.0,   780.0, 90.0, 2e-3, 1.6e-5,
                                1.8e-5, 0.012, 0.062, 90.0, 1.4e7};
constexpr WellPoint kWetGas{0.05,   8.5,   650.0, 110.0, 4e-4, 1.8e-5,
                            1.8e-5, 0.006, 0.062, 90.0,  1.4e7};
constexpr WellPoint kGasWell{0.002,  12.0,  650.0, 110.0, 4e-4, 1.8e-5,
                             1.8e-5, 0.006, 0.062, 90.0,  1.4e7};
constexpr WellPoint kLiquidOnly{0.3,    0.0,   780.0, 90.0, 2e-3, 1.6e-5,
                                1.8e-5, 0.012, 0.062, 90.0, 1.4e7};

using Core = WellOutcome (*)(const WellPoint&) noexcept;

void core(benchmark::State& state, Core correlation, WellPoint pt) {
  // Vary the point a little so nothing is hoisted out of the loop.
  double nudge = 0.0;
  for (auto _ : state) {
    pt.p += nudge;
    const WellOutcome out = correlation(pt);
    benchmark::DoNotOptimize(out.dp);
    nudge = out.dp * 1e-30;
  }
}

// HB_3: Griffith bubble (19) and the Hagedorn & Brown holdup (20).
BENCHMARK_CAPTURE(core, hb_bubble, pipecorr::wells::hagedorn_brown, kOilLowGas);
BENCHMARK_CAPTURE(core, hb_slug, pipecorr::wells::hagedorn_brown, kMonograph);
BENCHMARK_CAPTURE(core, hb_gas_well, pipecorr::wells::hagedorn_brown, kGasWell);
BENCHMARK_CAPTURE(core, hb_liquid_only, pipecorr::wells::hagedorn_brown,
                  kLiquidOnly);
// DR_3: bubble (21), slug (22), transition (23), mist (24).
BENCHMARK_CAPTURE(core, dr_bubble, pipecorr::wells::duns_ros, kMonograph);
BENCHMARK_CAPTURE(core, dr_slug, pipecorr::wells::duns_ros, kOilHighGas);
BENCHMARK_CAPTURE(core, dr_transition, pipecorr::wells::duns_ros, kWetGas);
BENCHMARK_CAPTURE(core, dr_mist, pipecorr::wells::duns_ros, kGasWell);
// GRAY_3 (25): a gas well and a wet gas well.
BENCHMARK_CAPTURE(core, gray_gas_well, pipecorr::wells::gray, kGasWell);
BENCHMARK_CAPTURE(core, gray_wet_gas, pipecorr::wells::gray, kWetGas);

void unary(benchmark::State& state, double (*f)(double), double lo, double hi) {
  constexpr std::size_t kN = 256;
  double xs[kN];
  for (std::size_t i = 0; i < kN; ++i) {
    xs[i] = lo + (hi - lo) * static_cast<double>(i) / kN;
  }
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(f(xs[i]));
    i = (i + 1) % kN;
  }
}

double pow_037(double x) { return pipecorr::pm::pow(x, 0.37); }

BENCHMARK_CAPTURE(unary, exp, pipecorr::pm::exp, -20.0, 20.0);
BENCHMARK_CAPTURE(unary, log, pipecorr::pm::log, 0.01, 1e4);
BENCHMARK_CAPTURE(unary, log10, pipecorr::pm::log10, 0.01, 1e4);
BENCHMARK_CAPTURE(unary, pow, pow_037, 0.01, 1e4);
BENCHMARK_CAPTURE(unary, sin, pipecorr::pm::sin, -1.6, 1.6);
BENCHMARK_CAPTURE(unary, sin_large, pipecorr::pm::sin, 1e6, 1e7);
BENCHMARK_CAPTURE(unary, cos, pipecorr::pm::cos, -1.6, 1.6);
BENCHMARK_CAPTURE(unary, tanh, pipecorr::pm::tanh, -3.0, 3.0);
BENCHMARK_CAPTURE(unary, atan, pipecorr::pm::atan, -6.0, 6.0);

}  // namespace
