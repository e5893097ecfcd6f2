// The whole chain on real wells through the pipecorr plug-in: black-oil
// fluid at each point, the correlation, the march. Checked against a
// published well, against itself marched both ways, and for mass.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "cases/well_case.hpp"
#include "fluids/water.hpp"
#include "pipecorr/pipecorr.h"
#include "plugin/correlation.hpp"
#include "plugin/plugin_library.hpp"
#include "studies/lift_curves.hpp"
#include "studies/well_traverse.hpp"

namespace pipecorr::hostkit {
namespace {

constexpr double kFt = 0.3048;
constexpr double kIn = 0.0254;
constexpr double kPsi = 6894.757293168361;
constexpr double kStbPerDay = 0.158987294928 / 86400.0;  // std m3/s
constexpr double kScfPerStb = 0.028316846592 / 0.158987294928;

double kelvin(double fahrenheit) { return (fahrenheit - 32.0) / 1.8 + 273.15; }

// The vertical well of Takacs' worked example (Takacs, "Gas Lift Manual",
// PennWell 2005, the Beggs & Brill example of its multiphase-flow
// chapter): 3 700 ft of 2.441 in tubing, 375 STB/d of 41.06 API oil, no
// water, GLR 480 scf/STB, gas gravity 0.916, wellhead 346.6 psia at
// 80.3 F, 107.2 F at 3700 ft. The book computes gradients only at the two
// ends (with the original correlation), not a traverse: its wellhead
// properties are checked in the fluids' tests; here the well serves the
// march's own checks.
WellCase takacs_well() {
  WellCase c;
  c.title = "Takacs vertical well";
  c.source = "takacs.case";
  c.survey = {{0.0, 0.0, {}, {}}, {3700.0 * kFt, 0.0, {}, {}}};
  c.pipe = well::PipeSections::whole_well(2.441 * kIn, 0.0003 * kIn);
  c.temperature.profile = {{0.0, kelvin(80.3)}, {3700.0 * kFt, kelvin(107.2)}};
  c.fluid.api = 41.06;
  c.fluid.gas_gravity = 0.916;
  c.rates.oil = 375.0 * kStbPerDay;
  c.rates.water = 0.0;
  c.rates.gas = 480.0 * kScfPerStb * c.rates.oil;
  c.known_end = well::KnownEnd::kWellhead;
  c.known_pressure = 346.6 * kPsi;
  return c;
}

class RealWell : public ::testing::Test {
 protected:
  PluginLibrary library_{PIPECORR_PLUGIN};
  CorrelationSet correlations_{library_};
  const Correlation& bb3_ = correlations_.choose("BB_3");
};

TEST_F(RealWell, TakacsVerticalWellStartsAtItsWellhead) {
  const WellTraverse traverse = traverse_well(bb3_, takacs_well());
  ASSERT_TRUE(traverse.completed) << traverse.stopped;
  // Top first, from the wellhead pressure given.
  EXPECT_EQ(traverse.stations.front().md, 0.0);
  EXPECT_DOUBLE_EQ(traverse.stations.front().pressure, 346.6 * kPsi);
}

// What enters at the bottom leaves at the top: the in-situ liquid and gas
// mass fluxes add up to the same mass rate at every station.
TEST_F(RealWell, MassIsConservedAlongTheWell) {
  const WellCase c = takacs_well();
  const WellTraverse traverse = traverse_well(bb3_, c);
  ASSERT_TRUE(traverse.completed) << traverse.stopped;
  const double area = std::numbers::pi * std::pow(2.441 * kIn, 2) / 4.0;
  const double mass = traverse.stations.front().mass_flow;
  for (const WellStation& s : traverse.stations) {
    EXPECT_NEAR((s.rol * s.usl + s.rog * s.usg) * area, mass, 1e-9 * mass)
        << "md " << s.md;
  }
}

// Down from the wellhead, then up from the bottom-hole pressure found:
// back to the wellhead pressure within the march's tolerance.
TEST_F(RealWell, TopDownThenBottomUpReturnsTheStart) {
  WellCase c = takacs_well();
  const WellTraverse down = traverse_well(bb3_, c);
  ASSERT_TRUE(down.completed) << down.stopped;
  c.known_end = well::KnownEnd::kBottomHole;
  c.known_pressure = down.answer;
  const WellTraverse up = traverse_well(bb3_, c);
  ASSERT_TRUE(up.completed) << up.stopped;
  EXPECT_NEAR(up.answer, 346.6 * kPsi, 0.1 * kPsi);
  EXPECT_EQ(up.stations.front().md, 0.0);  // top first either way
}

TEST_F(RealWell, LiftCurvesRiseWithRateAndCrossTheInflow) {
  WellCase c = takacs_well();
  for (const double q : {200.0, 400.0, 800.0, 1600.0}) {
    c.lift.liquid_rates.push_back(q * kStbPerDay);
  }
  c.lift.gas_liquid_ratios = {300.0 * kScfPerStb, 900.0 * kScfPerStb};
  c.lift.reservoir_pressure = 2000.0 * kPsi;
  c.lift.productivity_index = 1.0 * kStbPerDay / kPsi;  // 1 STB/d/psi
  const LiftCurves curves = compute_lift_curves(bb3_, c);
  ASSERT_EQ(curves.curves.size(), 2U);
  for (const LiftCurve& curve : curves.curves) {
    ASSERT_EQ(curve.points.size(), 4U);
    // Each crossing on the inflow line: pwf = pr - q / J. (Whether the
    // well stays there depends on the curve's shape: the 300 scf/STB curve
    // meets the line where it still falls, left of its minimum.)
    ASSERT_FALSE(curve.crossings.empty());
    for (const well::Crossing& crossing : curve.crossings) {
      EXPECT_NEAR(crossing.flowing_pressure,
                  2000.0 * kPsi - crossing.rate / (1.0 * kStbPerDay / kPsi),
                  1.0);
    }
  }
  // More gas lightens the column: less pressure needed at the low rate.
  EXPECT_LT(curves.curves[1].points[0].flowing_pressure,
            curves.curves[0].points[0].flowing_pressure);
}

// The bundled field well (examples/field_well.case): halving the longest
// step moves the bottom-hole pressure by less than 0.1 psi, and marching
// back up from it returns the wellhead pressure within the case's
// tolerance.
TEST_F(RealWell, TheBundledWellIsResolvedAndReversible) {
  WellCase c = load_well_case(EXAMPLES_DIR "/field_well.case");
  const WellTraverse coarse = traverse_well(bb3_, c);
  ASSERT_TRUE(coarse.completed) << coarse.stopped;
  c.march.max_step /= 2.0;
  const WellTraverse fine = traverse_well(bb3_, c);
  ASSERT_TRUE(fine.completed) << fine.stopped;
  EXPECT_LT(std::abs(fine.answer - coarse.answer), 0.1 * kPsi)
      << (fine.answer - coarse.answer) / kPsi << " psi";

  // Back up, with the geothermal line and with Ramey's flowing
  // temperature: the temperatures must not depend on the direction.
  for (const bool ramey : {false, true}) {
    WellCase down = load_well_case(EXAMPLES_DIR "/field_well.case");
    down.temperature.ramey = ramey;
    const WellTraverse there = traverse_well(bb3_, down);
    ASSERT_TRUE(there.completed) << there.stopped;
    WellCase up = down;
    up.known_end = well::KnownEnd::kBottomHole;
    up.known_pressure = there.answer;
    const WellTraverse back = traverse_well(bb3_, up);
    ASSERT_TRUE(back.completed) << back.stopped;
    EXPECT_NEAR(back.answer, 150.0 * kPsi, 0.1 * kPsi) << "ramey " << ramey;
    EXPECT_DOUBLE_EQ(back.stations.front().temperature,
                     there.stations.front().temperature)
        << "ramey " << ramey;
  }
}

}  // namespace
}  // namespace pipecorr::hostkit

namespace pipecorr::hostkit {
namespace {

// A water injector: 3000 STB/d of fresh water down 3700 ft of vertical
// 2.441 in tubing from 1000 psia at the wellhead, at 100 F throughout.
WellCase water_injector() {
  WellCase c;
  c.title = "water injector";
  c.source = "injector.case";
  c.survey = {{0.0, 0.0, {}, {}}, {3700.0 * kFt, 0.0, {}, {}}};
  c.pipe = well::PipeSections::whole_well(2.441 * kIn, 0.0006 * kIn);
  c.temperature.profile = {{0.0, kelvin(100.0)}};
  c.fluid.api = 35.0;
  c.fluid.gas_gravity = 0.7;
  c.rates.water = 3000.0 * kStbPerDay;
  c.flow = well::FlowDirection::kDownTheWell;
  c.known_end = well::KnownEnd::kWellhead;
  c.known_pressure = 1000.0 * kPsi;
  return c;
}

// Colebrook-White solved by bisection on f, written apart from the host's.
double colebrook_by_bisection(double re, double relative_roughness) {
  double lo = 1e-3, hi = 0.2;
  for (int i = 0; i < 200; ++i) {
    const double f = 0.5 * (lo + hi);
    const double rhs = -2.0 * std::log10(relative_roughness / 3.7 +
                                         2.51 / (re * std::sqrt(f)));
    (1.0 / std::sqrt(f) > rhs ? lo : hi) = f;
  }
  return 0.5 * (lo + hi);
}

// Head plus Colebrook friction integrated down the well by RK4 in 1 ft
// steps, with McCain's water at each pressure: the host's single-phase
// stretch must agree within 0.5 psi over the 3700 ft.
TEST_F(RealWell, WaterInjectorIsHeadPlusColebrookFriction) {
  const WellCase c = water_injector();
  const WellTraverse traverse = traverse_well(bb3_, c);
  ASSERT_TRUE(traverse.completed) << traverse.stopped;
  const double d = 2.441 * kIn;
  const double area = std::numbers::pi * d * d / 4.0;
  const double t_f = 100.0;
  auto gradient = [&](double p) {  // Pa/m, pressure rising with depth
    const double p_psia = p / kPsi;
    const double bw = fluids::mccain_water_fvf(p_psia, t_f);
    const double rho = 62.368 * 16.018463373960138 / bw;
    const double mu =
        1e-3 * fluids::mccain_water_viscosity_cp(p_psia, t_f, 0.0);
    const double v = c.rates.water * bw / area;
    const double f = colebrook_by_bisection(rho * v * d / mu, 0.0006 / 2.441);
    return rho * 9.80665 - f * rho * v * v / (2.0 * d);
  };
  double p = c.known_pressure;
  const double h = 1.0 * kFt;
  for (int i = 0; i < 3700; ++i) {
    const double k1 = gradient(p);
    const double k2 = gradient(p + 0.5 * h * k1);
    const double k3 = gradient(p + 0.5 * h * k2);
    const double k4 = gradient(p + h * k3);
    p += h * (k1 + 2.0 * k2 + 2.0 * k3 + k4) / 6.0;
  }
  EXPECT_NEAR(traverse.answer / kPsi, p / kPsi, 0.5);
  for (const WellStation& s : traverse.stations) {
    EXPECT_EQ(s.pattern, PIPECORR_PATTERN_LIQUID_ONLY) << s.md;
    EXPECT_EQ(s.holdup, 1.0);
  }
  // The old way, the two-phase correlation asked about water alone, is
  // still there for comparison, and far off (its downhill holdup).
  WellCase old = c;
  old.gradient.single_phase_by_host = false;
  const WellTraverse asked = traverse_well(bb3_, old);
  ASSERT_TRUE(asked.completed) << asked.stopped;
  EXPECT_GT(std::abs(asked.answer - traverse.answer), 100.0 * kPsi);
  // Marched from the bottom-hole pressure found: the wellhead again.
  WellCase from_bottom = c;
  from_bottom.known_end = well::KnownEnd::kBottomHole;
  from_bottom.known_pressure = traverse.answer;
  const WellTraverse back = traverse_well(bb3_, from_bottom);
  ASSERT_TRUE(back.completed) << back.stopped;
  EXPECT_NEAR(back.answer / kPsi, 1000.0, 0.1);
}

// The kinetic term at two stations of the bundled well, evaluated apart
// from each station's own state: acceleration = Ek / (1 - Ek) times the
// rest, Ek = (rol HL + rog (1 - HL)) (usl + usg) usg / p.
TEST_F(RealWell, AccelerationIsTheKineticTermOfTheStation) {
  WellCase c = load_well_case(EXAMPLES_DIR "/field_well.case");
  const WellTraverse on = traverse_well(bb3_, c);
  ASSERT_TRUE(on.completed) << on.stopped;
  for (const std::size_t k : {std::size_t{0}, on.stations.size() / 2}) {
    const WellStation& s = on.stations[k];
    const double rho_s = s.rol * s.holdup + s.rog * (1.0 - s.holdup);
    const double ek = rho_s * (s.usl + s.usg) * s.usg / s.pressure;
    const double rest = s.gradient - s.acceleration;
    EXPECT_NEAR(s.acceleration, rest * ek / (1.0 - ek), 1e-9 * std::abs(rest))
        << "station " << k;
  }
  EXPECT_GT(on.stations.front().acceleration,
            0.01 * on.stations.front().gradient);  // about 1.3 % at the top
  c.gradient.acceleration = false;
  const WellTraverse off = traverse_well(bb3_, c);
  ASSERT_TRUE(off.completed) << off.stopped;
  for (const WellStation& s : off.stations) EXPECT_EQ(s.acceleration, 0.0);
  EXPECT_LT(off.answer, on.answer);
}

}  // namespace
}  // namespace pipecorr::hostkit

namespace pipecorr::hostkit {
namespace {

// A gas injector: 2 MMscf/d of 0.65 gas down 3700 ft of 2.441 in tubing
// from 1000 psia at 100 F. Isothermal gas with Z and viscosity taken at
// the mean pressure has dp/dz = a p - b / p (a = M g / (Z R T), b = f m^2
// Z R T / (2 d A^2 M)), so p(L)^2 = b/a + (p0^2 - b/a) exp(2 a L): the
// host's single-phase gas march must land within 1 psi of it.
TEST_F(RealWell, GasInjectorIsTheIsothermalGasClosedForm) {
  WellCase c = water_injector();
  c.title = "gas injector";
  c.fluid.gas_gravity = 0.65;
  c.rates.water = 0.0;
  c.rates.gas = 2e6 * 0.028316846592 / 86400.0;
  const WellTraverse traverse = traverse_well(bb3_, c);
  ASSERT_TRUE(traverse.completed) << traverse.stopped;

  const double d = 2.441 * kIn;
  const double area = std::numbers::pi * d * d / 4.0;
  const double length = 3700.0 * kFt;
  const double t = kelvin(100.0);
  const double molar_mass = 28.9647e-3 * 0.65;  // kg/mol
  const double r = 8.314462618;
  const fluids::BlackOilFluid fluid(c.fluid);
  const double p0 = c.known_pressure;
  double p1 = p0;
  for (int pass = 0; pass < 4; ++pass) {  // Z and mu at the mean pressure
    const fluids::InSituState mean =
        fluid.in_situ(c.rates, area, 0.5 * (p0 + p1), t);
    const double mass = mean.rog * mean.usg * area;
    const double re = mass * d / (area * mean.visg);
    const double f = colebrook_by_bisection(re, 0.0006 / 2.441);
    const double a = molar_mass * 9.80665 / (mean.z * r * t);
    const double b =
        f * mass * mass * mean.z * r * t / (2.0 * d * area * area * molar_mass);
    p1 = std::sqrt(b / a + (p0 * p0 - b / a) * std::exp(2.0 * a * length));
  }
  EXPECT_NEAR(traverse.answer / kPsi, p1 / kPsi, 1.0);
  for (const WellStation& s : traverse.stations) {
    EXPECT_EQ(s.pattern, PIPECORR_PATTERN_GAS_ONLY) << s.md;
  }
  // Marched from the bottom-hole pressure found (the gas still flowing
  // down): the wellhead's 1000 psia again.
  WellCase from_bottom = c;
  from_bottom.known_end = well::KnownEnd::kBottomHole;
  from_bottom.known_pressure = traverse.answer;
  const WellTraverse back = traverse_well(bb3_, from_bottom);
  ASSERT_TRUE(back.completed) << back.stopped;
  EXPECT_NEAR(back.answer / kPsi, 1000.0, 0.1);
}

}  // namespace
}  // namespace pipecorr::hostkit
