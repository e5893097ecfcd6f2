// Cost of one in-situ black-oil state, as a traverse pays it at every
// point: below and above the bubble point, each Z method, the alternative
// oil correlations, and a sweep of pressures such as a well traverse makes.
#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <numbers>

#include "fluids/black_oil.hpp"
#include "numbers/unit_factors.hpp"

namespace {

namespace f = pipecorr::fluids;
namespace u = pipecorr::units;

f::FluidDescription fluid(f::ZCorrelation z, bool alternatives) {
  f::FluidDescription d;
  d.api = 35.0;
  d.gas_gravity = 0.75;
  d.water_gravity = 1.07;
  d.non_hydrocarbons = {0.02, 0.01, 0.01};
  d.correlations.z = z;
  if (alternatives) {
    d.correlations.solution_gas = f::SolutionGasCorrelation::kVasquezBeggs;
    d.correlations.dead_oil_viscosity = f::DeadOilViscosityCorrelation::kGlaso;
    d.correlations.live_oil_viscosity =
        f::LiveOilViscosityCorrelation::kChewConnally;
  }
  return d;
}

// 1000 STB/d oil, 500 STB/d water, 600 scf/STB in a 4 in tubing; the
// bubble point is near 2460 psia at 180 °F.
const f::StandardRates kRates = f::rates_from_gor(
    u::stb_per_day_to_m3_per_s(1000.0), u::stb_per_day_to_m3_per_s(500.0),
    u::scf_per_stb_to_m3_per_m3(600.0));
const double kArea =
    0.25 * std::numbers::pi * u::in_to_m(4.0) * u::in_to_m(4.0);
const double kTemperature = u::fahrenheit_to_kelvin(180.0);

void BM_InSitu(benchmark::State& state, f::ZCorrelation z, bool alternatives,
               double p_psia) {
  const f::BlackOilFluid oil(fluid(z, alternatives));
  const double p = u::psia_to_pa(p_psia);
  for (auto _ : state) {
    benchmark::DoNotOptimize(oil.in_situ(kRates, kArea, p, kTemperature));
  }
}

BENCHMARK_CAPTURE(BM_InSitu, below_pb_hall_yarborough,
                  f::ZCorrelation::kHallYarborough, false, 1200.0);
BENCHMARK_CAPTURE(BM_InSitu, above_pb_hall_yarborough,
                  f::ZCorrelation::kHallYarborough, false, 4000.0);
BENCHMARK_CAPTURE(BM_InSitu, below_pb_dranchuk_abou_kassem,
                  f::ZCorrelation::kDranchukAbouKassem, false, 1200.0);
BENCHMARK_CAPTURE(BM_InSitu, below_pb_vasquez_beggs_glaso_chew_connally,
                  f::ZCorrelation::kHallYarborough, true, 1200.0);

// A traverse's points: pressure and temperature change at every call.
void BM_InSituTraverse(benchmark::State& state) {
  const f::BlackOilFluid oil(fluid(f::ZCorrelation::kHallYarborough, false));
  std::array<double, 64> p{};
  std::array<double, 64> t{};
  for (std::size_t i = 0; i < p.size(); ++i) {
    const double share = static_cast<double>(i) / 63.0;
    p[i] = u::psia_to_pa(200.0 + 4800.0 * share);
    t[i] = u::fahrenheit_to_kelvin(100.0 + 120.0 * share);
  }
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(oil.in_situ(kRates, kArea, p[i], t[i]));
    i = (i + 1) & 63u;
  }
}
BENCHMARK(BM_InSituTraverse);

}  // namespace
