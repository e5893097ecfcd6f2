// The in-situ state of a black-oil well stream at one point of a pipe: from
// the fluid, its standard-condition rates, the flow area, pressure and
// temperature to the inputs of a two-phase correlation, in SI.
//
// Model: the produced gas (free plus dissolved) has one gravity; the oil
// dissolves up to its solution GOR at (p, T), and at most the produced GOR,
// above whose bubble point it is undersaturated; the rest of the gas is
// free. Gas solubility in water is neglected. In-situ densities are the
// standard-condition masses over the in-situ volumes, so the mass flux
// rol usl A + rog usg A equals the standard mass rate to rounding. Liquid
// density, viscosity and surface tension are the oil's and the water's
// mixed by their in-situ volume fractions; with no liquid flowing, the
// liquid is the gas-free stock-tank oil at p and T.
#pragma once

#include "fluids/gas_pseudo_critical.hpp"
#include "fluids/z_factor.hpp"
#include "numbers/unit_factors.hpp"

namespace pipecorr::fluids {

enum class SolutionGasCorrelation {
  kStanding,      // Standing Rs, pb and saturated Bo (default)
  kVasquezBeggs,  // Vasquez & Beggs Rs, pb and saturated Bo
};
enum class DeadOilViscosityCorrelation { kBeggsRobinson, kGlaso };
enum class LiveOilViscosityCorrelation { kBeggsRobinson, kChewConnally };

// Above the bubble point always: Vasquez-Beggs compressibility for Bo and
// Vasquez-Beggs for viscosity. Gas viscosity: Lee-Gonzalez-Eakin. Water:
// McCain. Surface tension: Baker-Swerdloff (oil), Hough et al. (water).
struct CorrelationChoice {
  GravityCorrelation pseudo_critical = GravityCorrelation::kSutton;
  NonHydrocarbonTreatment non_hydrocarbons =
      NonHydrocarbonTreatment::kKayMixing;
  ZCorrelation z = ZCorrelation::kHallYarborough;
  SolutionGasCorrelation solution_gas = SolutionGasCorrelation::kStanding;
  DeadOilViscosityCorrelation dead_oil_viscosity =
      DeadOilViscosityCorrelation::kBeggsRobinson;
  LiveOilViscosityCorrelation live_oil_viscosity =
      LiveOilViscosityCorrelation::kBeggsRobinson;
};

// The fluid. api and gas_gravity have no default: left at 0 they are
// refused.
struct FluidDescription {
  double api = 0.0;                  // stock-tank oil, °API, 5..100
  double gas_gravity = 0.0;          // produced gas, air = 1, 0.55..3
  double water_gravity = 1.0;        // pure water = 1, 0.9..1.5; sets salinity
  NonHydrocarbons non_hydrocarbons;  // mole fractions in the produced gas
  // The separator the gas gravity was measured at, which Vasquez & Beggs
  // refer to 100 psig; the default is that reference (no correction).
  double separator_pressure = units::psia_to_pa(114.7);              // Pa
  double separator_temperature = units::fahrenheit_to_kelvin(60.0);  // K
  CorrelationChoice correlations;
};

// Rates at standard conditions (60 °F, 14.696 psia), standard m³/s, each
// 0..kMaxStandardRate. `gas` is all the produced gas, free and dissolved.
inline constexpr double kMaxStandardRate = 1e4;
struct StandardRates {
  double oil = 0.0;
  double water = 0.0;
  double gas = 0.0;
};

// Rates from oil and water rates (standard m³/s) and the produced gas-oil
// ratio (standard m³ of gas per m³ of stock-tank oil; scf/STB via
// units::scf_per_stb_to_m3_per_m3).
StandardRates rates_from_gor(double oil, double water, double gor);
// Rates from the liquid rate (oil + water, standard m³/s), the water cut
// (water / liquid, 0..1) and the gas-liquid or the gas-oil ratio
// (standard m³/m³). Throw InputError on a negative, non-finite or (water
// cut) above-one argument.
StandardRates rates_from_water_cut_and_glr(double liquid, double water_cut,
                                           double glr);
StandardRates rates_from_water_cut_and_gor(double liquid, double water_cut,
                                           double gor);

// One point's state, SI throughout.
struct InSituState {
  // The correlation's inputs.
  double usl = 0.0;    // superficial liquid velocity, m/s
  double usg = 0.0;    // superficial (free) gas velocity, m/s
  double rol = 0.0;    // liquid density, kg/m³
  double rog = 0.0;    // gas density, kg/m³
  double visl = 0.0;   // liquid viscosity, Pa·s
  double visg = 0.0;   // gas viscosity, Pa·s
  double sigma = 0.0;  // gas-liquid surface tension, N/m
  // Diagnostics.
  double solution_gor = 0.0;     // Rs, standard m³ gas per m³ stock-tank oil
  double bubble_point = 0.0;     // of the flowing oil at T, Pa (0 if no oil)
  double oil_fvf = 0.0;          // Bo, m³ per standard m³
  double gas_fvf = 0.0;          // Bg, m³ per standard m³
  double water_fvf = 0.0;        // Bw, m³ per standard m³
  double z = 0.0;                // gas compressibility factor
  double oil_fraction = 0.0;     // oil / liquid, in-situ volume, 0..1
  double water_fraction = 0.0;   // water / liquid, in-situ volume, 0..1
  double oil_density = 0.0;      // kg/m³
  double water_density = 0.0;    // kg/m³
  double oil_viscosity = 0.0;    // Pa·s
  double water_viscosity = 0.0;  // Pa·s
  double mass_flow = 0.0;        // total, from the standard rates, kg/s
};

// Bounds of the flow area, m²: a capillary to a tunnel.
inline constexpr double kMinFlowArea = 1e-10;
inline constexpr double kMaxFlowArea = 1e2;

// A fluid checked once and the constants of every point worked out, so a
// traverse pays only for the pressure- and temperature-dependent part
// (no allocation per call).
class BlackOilFluid {
 public:
  // Throws InputError for a description outside the module's domain, or
  // whose gas gravity is too low for its non-hydrocarbons (Kay mixing).
  explicit BlackOilFluid(const FluidDescription& fluid);

  // The state at absolute `pressure` (Pa, 0 < p <= 50000 psia) and
  // `temperature` (K, 32..1000 °F) for `rates` through `flow_area` (m²,
  // kMinFlowArea..kMaxFlowArea). Throws InputError for an argument outside
  // these, a rate outside 0..kMaxStandardRate or all rates zero;
  // ConvergenceError if the Z factor does not settle. Every field of a
  // returned state is finite.
  InSituState in_situ(const StandardRates& rates, double flow_area,
                      double pressure, double temperature) const;

  const FluidDescription& description() const { return fluid_; }
  // Of the whole gas, after the non-hydrocarbon treatment, °R and psia.
  const PseudoCritical& pseudo_critical() const { return pseudo_critical_; }

 private:
  FluidDescription fluid_;
  PseudoCritical pseudo_critical_;
  double separator_gas_gravity_ = 0.0;   // at 100 psig, air = 1
  double salinity_ = 0.0;                // wt %
  double gas_molar_mass_ = 0.0;          // g/mol
  double oil_density_standard_ = 0.0;    // kg/m³
  double water_density_standard_ = 0.0;  // kg/m³
  double gas_density_standard_ = 0.0;    // kg/m³
  double dead_oil_scale_ = 0.0;          // Beggs & Robinson's, of the API
};

// One-off convenience: BlackOilFluid(fluid).in_situ(...).
InSituState in_situ_state(const FluidDescription& fluid,
                          const StandardRates& rates, double flow_area,
                          double pressure, double temperature);

}  // namespace pipecorr::fluids
