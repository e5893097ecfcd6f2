#include "fluids/black_oil.hpp"

#include <algorithm>
#include <limits>

#include "fluids/domain.hpp"
#include "fluids/fluid_error.hpp"
#include "fluids/gas_viscosity.hpp"
#include "fluids/gas_volume.hpp"
#include "fluids/oil_solution_gas.hpp"
#include "fluids/oil_viscosity.hpp"
#include "fluids/oil_volume.hpp"
#include "fluids/standard_conditions.hpp"
#include "fluids/surface_tension.hpp"
#include "fluids/water.hpp"

namespace pipecorr::fluids {
namespace {

constexpr double kHuge = std::numeric_limits<double>::max();

// The oil at one point, field units.
struct OilPoint {
  double rs = 0.0;            // scf/STB dissolved
  double bubble_point = 0.0;  // psia
  double bo = 0.0;            // bbl/STB
  double viscosity = 0.0;     // cP
};

// The saturated-oil correlations of the chosen family. Standing takes the
// total gas gravity, Vasquez & Beggs the one referred to 100 psig.
struct SaturatedOil {
  const FluidDescription& fluid;
  double separator_gas_gravity;
  double dead_oil_scale;  // Beggs & Robinson's, of the fluid's gravity
  bool vasquez_beggs =
      fluid.correlations.solution_gas == SolutionGasCorrelation::kVasquezBeggs;

  // Standing's factor of temperature and gravity, which its pair shares
  // at one point; unused by Vasquez & Beggs.
  double factor(double t) const {
    return vasquez_beggs ? 0.0 : standing_factor(t, fluid.api);
  }
  double solution_gor(double p, double t, double factor) const {
    return vasquez_beggs
               ? vasquez_beggs_solution_gor(p, t, fluid.api,
                                            separator_gas_gravity)
               : standing_solution_gor_with(p, factor, fluid.gas_gravity);
  }
  double bubble_point(double rs, double t, double factor) const {
    return vasquez_beggs
               ? vasquez_beggs_bubble_point(rs, t, fluid.api,
                                            separator_gas_gravity)
               : standing_bubble_point_with(rs, factor, fluid.gas_gravity);
  }
  double fvf(double rs, double t) const {
    return vasquez_beggs
               ? vasquez_beggs_oil_fvf(rs, t, fluid.api, separator_gas_gravity)
               : standing_oil_fvf(rs, t, fluid.api, fluid.gas_gravity);
  }
  double viscosity(double rs, double t) const {
    const CorrelationChoice& c = fluid.correlations;
    const double dead =
        c.dead_oil_viscosity == DeadOilViscosityCorrelation::kGlaso
            ? glaso_dead_oil_viscosity_cp(t, fluid.api)
            : beggs_robinson_dead_oil_viscosity_with(t, dead_oil_scale);
    return c.live_oil_viscosity == LiveOilViscosityCorrelation::kChewConnally
               ? chew_connally_live_oil_viscosity_cp(dead, rs)
               : beggs_robinson_live_oil_viscosity_cp(dead, rs);
  }
};

// The oil whose produced GOR is `rsb` (scf/STB) at p (psia) and T (°F):
// saturated below its bubble point, undersaturated at or above it.
OilPoint oil_at(const SaturatedOil& oil, double rsb, double p, double t) {
  OilPoint point;
  const double factor = oil.factor(t);
  point.bubble_point = oil.bubble_point(rsb, t, factor);
  if (p < point.bubble_point) {
    // min() only guards the rounding of the inverse pair.
    point.rs = std::min(oil.solution_gor(p, t, factor), rsb);
    point.bo = oil.fvf(point.rs, t);
    point.viscosity = oil.viscosity(point.rs, t);
    return point;
  }
  point.rs = rsb;
  point.bo =
      undersaturated_oil_fvf(oil.fvf(rsb, t), p, point.bubble_point, rsb, t,
                             oil.fluid.api, oil.separator_gas_gravity);
  point.viscosity = undersaturated_oil_viscosity_cp(oil.viscosity(rsb, t), p,
                                                    point.bubble_point);
  return point;
}

void check_rate(double rate, const char* argument) {
  detail::require_within(rate, 0.0, kMaxStandardRate, "in_situ", argument);
}

}  // namespace

StandardRates rates_from_gor(double oil, double water, double gor) {
  detail::require_within(oil, 0.0, kHuge, "rates_from_gor", "oil rate");
  detail::require_within(water, 0.0, kHuge, "rates_from_gor", "water rate");
  detail::require_within(gor, 0.0, kHuge, "rates_from_gor", "GOR");
  return {oil, water, oil * gor};
}

StandardRates rates_from_water_cut_and_glr(double liquid, double water_cut,
                                           double glr) {
  constexpr const char* kName = "rates_from_water_cut_and_glr";
  detail::require_within(liquid, 0.0, kHuge, kName, "liquid rate");
  detail::require_within(water_cut, 0.0, 1.0, kName, "water cut");
  detail::require_within(glr, 0.0, kHuge, kName, "GLR");
  const double water = liquid * water_cut;
  return {liquid - water, water, liquid * glr};
}

StandardRates rates_from_water_cut_and_gor(double liquid, double water_cut,
                                           double gor) {
  constexpr const char* kName = "rates_from_water_cut_and_gor";
  detail::require_within(liquid, 0.0, kHuge, kName, "liquid rate");
  detail::require_within(water_cut, 0.0, 1.0, kName, "water cut");
  detail::require_within(gor, 0.0, kHuge, kName, "GOR");
  const double water = liquid * water_cut;
  return {liquid - water, water, (liquid - water) * gor};
}

BlackOilFluid::BlackOilFluid(const FluidDescription& fluid) : fluid_(fluid) {
  pseudo_critical_ = gas_pseudo_critical(
      fluid.gas_gravity, fluid.non_hydrocarbons,
      fluid.correlations.pseudo_critical, fluid.correlations.non_hydrocarbons);
  separator_gas_gravity_ = vasquez_beggs_separator_gravity(
      fluid.gas_gravity, fluid.api,
      units::kelvin_to_fahrenheit(fluid.separator_temperature),
      units::pa_to_psia(fluid.separator_pressure));
  salinity_ = water_salinity_from_gravity(fluid.water_gravity);
  gas_molar_mass_ = gas_molar_mass(fluid.gas_gravity);
  oil_density_standard_ =
      kWaterDensityStandard * stock_tank_oil_gravity(fluid.api);
  water_density_standard_ = kWaterDensityStandard * fluid.water_gravity;
  gas_density_standard_ = kAirDensityStandard * fluid.gas_gravity;
  dead_oil_scale_ = beggs_robinson_dead_oil_scale(fluid.api);
}

InSituState BlackOilFluid::in_situ(const StandardRates& rates, double flow_area,
                                   double pressure, double temperature) const {
  detail::require_within(flow_area, kMinFlowArea, kMaxFlowArea, "in_situ",
                         "flow area (m2)");
  detail::require_above(pressure, 0.0,
                        units::psia_to_pa(domain::kMaxPressurePsia), "in_situ",
                        "pressure (Pa)");
  detail::require_within(temperature,
                         units::fahrenheit_to_kelvin(domain::kMinTemperatureF),
                         units::fahrenheit_to_kelvin(domain::kMaxTemperatureF),
                         "in_situ", "temperature (K)");
  check_rate(rates.oil, "oil rate (m3/s)");
  check_rate(rates.water, "water rate (m3/s)");
  check_rate(rates.gas, "gas rate (m3/s)");
  if (rates.oil == 0.0 && rates.water == 0.0 && rates.gas == 0.0) {
    detail::throw_input_error("in_situ", "total rate (no flow)", 0.0);
  }
  // The clamps only undo the rounding of the unit conversion at the bounds.
  const double p =
      std::min(units::pa_to_psia(pressure), domain::kMaxPressurePsia);
  const double t =
      std::clamp(units::kelvin_to_fahrenheit(temperature),
                 domain::kMinTemperatureF, domain::kMaxTemperatureF);

  // Oil: holding at most the produced gas; without oil flow the stock-tank
  // oil itself stands for the liquid.
  const double produced_gor =
      rates.oil > 0.0 ? units::m3_per_m3_to_scf_per_stb(rates.gas / rates.oil)
                      : 0.0;
  const double rsb = std::min(produced_gor, domain::kMaxSolutionGor);
  const OilPoint oil = oil_at(
      SaturatedOil{fluid_, separator_gas_gravity_, dead_oil_scale_}, rsb, p, t);
  const double rs = units::scf_per_stb_to_m3_per_m3(oil.rs);

  // Gas.
  const ZResult z =
      z_factor(fluid_.correlations.z,
               units::fahrenheit_to_rankine(t) / pseudo_critical_.temperature_r,
               p / pseudo_critical_.pressure_psia);
  if (!z.converged) {
    throw ConvergenceError("in_situ: Z factor did not converge");
  }
  const double bg = gas_fvf(p, t, z.z);
  const double gas_density = gas_density_standard_ / bg;
  const double gas_viscosity = lee_gonzalez_eakin_viscosity_cp(
      units::fahrenheit_to_rankine(t), gas_density * 1e-3, gas_molar_mass_);

  // Water.
  const double bw = mccain_water_fvf(p, t);

  InSituState s;
  s.solution_gor = rs;
  s.bubble_point = rates.oil > 0.0 ? units::psia_to_pa(oil.bubble_point) : 0.0;
  s.oil_fvf = oil.bo;
  s.gas_fvf = bg;
  s.water_fvf = bw;
  s.z = z.z;
  s.oil_density = (oil_density_standard_ + rs * gas_density_standard_) / oil.bo;
  s.water_density = water_density_standard_ / bw;
  s.oil_viscosity = units::cp_to_pa_s(oil.viscosity);
  s.water_viscosity =
      units::cp_to_pa_s(mccain_water_viscosity_cp(p, t, salinity_));

  // In-situ volume rates, m³/s.
  const double oil_flow = rates.oil * oil.bo;
  const double water_flow = rates.water * bw;
  const double free_gas = std::max(rates.gas - rs * rates.oil, 0.0);
  const double liquid_flow = oil_flow + water_flow;
  s.oil_fraction = liquid_flow > 0.0 ? oil_flow / liquid_flow : 1.0;
  s.water_fraction = liquid_flow > 0.0 ? water_flow / liquid_flow : 0.0;

  s.usl = liquid_flow / flow_area;
  s.usg = free_gas * bg / flow_area;
  s.rol = s.oil_fraction * s.oil_density + s.water_fraction * s.water_density;
  s.rog = gas_density;
  s.visl =
      s.oil_fraction * s.oil_viscosity + s.water_fraction * s.water_viscosity;
  s.visg = units::cp_to_pa_s(gas_viscosity);
  const double oil_tension = baker_swerdloff_live_oil_tension(
      baker_swerdloff_dead_oil_tension(t, fluid_.api), p);
  s.sigma = units::dyn_cm_to_n_m(s.oil_fraction * oil_tension +
                                 s.water_fraction * water_gas_tension(t, p));
  s.mass_flow = oil_density_standard_ * rates.oil +
                water_density_standard_ * rates.water +
                gas_density_standard_ * rates.gas;
  return s;
}

InSituState in_situ_state(const FluidDescription& fluid,
                          const StandardRates& rates, double flow_area,
                          double pressure, double temperature) {
  return BlackOilFluid(fluid).in_situ(rates, flow_area, pressure, temperature);
}

}  // namespace pipecorr::fluids
