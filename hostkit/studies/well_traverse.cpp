#include "studies/well_traverse.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "fluids/fluid_error.hpp"
#include "fluids/standard_conditions.hpp"
#include "numbers/number_text.hpp"
#include "pipecorr/pipecorr.h"
#include "text/error.hpp"
#include "text/escape.hpp"
#include "units/display_units.hpp"
#include "well/input_error.hpp"
#include "well/single_phase.hpp"

namespace pipecorr::hostkit {
namespace {

// What the gradient callback keeps with each row, by slot.
enum Slot : std::size_t {
  kUsl,
  kUsg,
  kRol,
  kRog,
  kVisl,
  kVisg,
  kSigma,
  kMassFlow,
  kAcceleration,
};

// The produced liquid at stock-tank conditions, kg/m³: oil and water mixed
// by their standard rates; a well without liquid counts its oil.
double stock_tank_liquid_density(const WellCase& c) {
  const double oil =
      fluids::kWaterDensityStandard * 141.5 / (131.5 + c.fluid.api);
  const double water = fluids::kWaterDensityStandard * c.fluid.water_gravity;
  const double liquid = c.rates.oil + c.rates.water;
  if (!(liquid > 0.0)) return oil;
  return (oil * c.rates.oil + water * c.rates.water) / liquid;
}

well::TemperatureModel temperature_model(const WellCase& c,
                                         const well::WellPath& path,
                                         const fluids::BlackOilFluid& fluid) {
  const TemperatureSettings& settings = c.temperature;
  if (!settings.profile.empty())
    return well::TemperatureProfile(settings.profile);
  if (!settings.wellhead || !settings.bottom_hole) {
    throw Error(c.source.string() +
                ": the case gives neither a temperature profile nor the "
                "wellhead and bottom-hole temperatures");
  }
  const auto geothermal = well::GeothermalTemperature::for_path(
      path, *settings.wellhead, *settings.bottom_hole);
  if (!settings.ramey) return geothermal;
  // The relaxation distance from the mass rate and the produced liquid's
  // stock-tank density: neither depends on which end the march starts
  // from, so a traverse marched down and back up meets the same
  // temperatures (an in-situ density at the known end's pressure would
  // differ between the two directions).
  const double bottom_md = path.bottom_md();
  const double diameter = c.pipe.at(bottom_md).diameter;
  const double area = std::numbers::pi * diameter * diameter / 4.0;
  const fluids::InSituState inflow = fluid.in_situ(
      c.rates, area, c.known_pressure, geothermal.at_tvd(path.deepest_tvd()));
  well::RameyInputs ramey;
  ramey.bottom_tvd = path.deepest_tvd();
  ramey.bottom_temperature = *settings.bottom_hole;
  ramey.geothermal_gradient = geothermal.gradient();
  ramey.relaxation_distance = well::shiu_beggs_relaxation_distance(
      inflow.mass_flow, diameter, c.fluid.api, c.fluid.gas_gravity,
      stock_tank_liquid_density(c));
  return well::RameyTemperature(ramey);
}

// The survey's inclination at `md`, linear between its stations.
double inclination_at(const well::WellPath& path, double md) {
  const auto stations = path.stations();
  if (md <= stations.front().md) return stations.front().inclination;
  // The first station at or below md, found by halving: a row per station
  // would otherwise scan the survey once per row.
  const auto below = std::lower_bound(
      stations.begin() + 1, stations.end(), md,
      [](const well::PathStation& s, double m) { return s.md < m; });
  if (below == stations.end()) return stations.back().inclination;
  const auto& a = *(below - 1);
  const auto& b = *below;
  const double t = (md - a.md) / (b.md - a.md);
  return a.inclination + t * (b.inclination - a.inclination);
}

// The gradient of a stretch where only one phase flows: the host's own,
// from the in-situ density, viscosity and velocity.
well::GradientResult single_phase_result(const fluids::InSituState& state,
                                         const well::PointConditions& at) {
  const bool liquid = !(state.usg > 0.0);
  well::GradientResult out;
  out.gradient = well::single_phase_gradient(
      {liquid ? state.rol : state.rog, liquid ? state.visl : state.visg,
       liquid ? state.usl : state.usg, at.diameter, at.roughness, at.fi});
  out.holdup = liquid ? 1.0 : 0.0;
  out.pattern =
      liquid ? PIPECORR_PATTERN_LIQUID_ONLY : PIPECORR_PATTERN_GAS_ONLY;
  return out;
}

// The correlation fed with the black-oil fluid at the point; single-phase
// stretches and the kinetic term as the case asks.
well::GradientFunction gradient_of(const Correlation& correlation,
                                   const fluids::BlackOilFluid& fluid,
                                   const fluids::StandardRates& rates,
                                   const GradientSettings& settings) {
  return [&correlation, &fluid, rates,
          settings](const well::PointConditions& at) -> well::GradientResult {
    well::GradientResult out;
    const double area = std::numbers::pi * at.diameter * at.diameter / 4.0;
    fluids::InSituState state;
    try {
      state = fluid.in_situ(rates, area, at.pressure, at.temperature);
    } catch (const fluids::FluidError& error) {
      out.ok = false;
      out.message =
          std::string("the fluid has no properties here: ") + error.what();
      return out;
    }
    const bool one_phase = !(state.usg > 0.0) || !(state.usl > 0.0);
    if (settings.single_phase_by_host && one_phase) {
      out = single_phase_result(state, at);
    } else {
      const FlowInputs inputs{state.usl,    state.usg,   state.rol,
                              state.rog,    state.visl,  state.visg,
                              at.roughness, state.sigma, at.diameter,
                              at.fi,        at.pressure};
      FlowResult result;
      correlation.call(inputs, result);
      if (result.ierr != 0) {
        out.ok = false;
        out.message = "the correlation reports error " +
                      std::to_string(result.ierr) + ": " +
                      std::string(result.message());
        return out;
      }
      out.gradient = result.dp;
      out.holdup = result.holdup;
      out.pattern = result.id;
    }
    if (settings.acceleration) {
      const double ek = well::kinetic_factor(
          state.usl, state.usg, state.rol, state.rog, out.holdup, at.pressure);
      if (ek > well::kMaxKineticFactor) {
        out.ok = false;
        out.message = "the kinetic term Ek = " + significant(ek, 3) +
                      " exceeds " + significant(well::kMaxKineticFactor, 2) +
                      ": the mixture nears its sonic speed";
        return out;
      }
      const double whole = out.gradient / (1.0 - ek);
      out.recorded[kAcceleration] = whole - out.gradient;
      out.gradient = whole;
    }
    out.recorded[kUsl] = state.usl;
    out.recorded[kUsg] = state.usg;
    out.recorded[kRol] = state.rol;
    out.recorded[kRog] = state.rog;
    out.recorded[kVisl] = state.visl;
    out.recorded[kVisg] = state.visg;
    out.recorded[kSigma] = state.sigma;
    out.recorded[kMassFlow] = state.mass_flow;
    return out;
  };
}

// Correlations whose downward two-phase flow is documented to misbehave,
// and how: said once per traverse that meets such flow.
std::string downward_two_phase_note(const WellTraverse& traverse) {
  const bool beggs_brill =
      traverse.correlation == "BB_2" || traverse.correlation == "BB_3";
  if (!beggs_brill) return {};
  for (const WellStation& s : traverse.stations) {
    if (s.usl > 0.0 && s.usg > 0.0) {
      return traverse.correlation +
             " in downward two-phase flow: below a no-slip liquid fraction "
             "of 0.8 its holdup is that of segregated flow, so the head "
             "counts little more than the gas: expect too small a gain of "
             "pressure down the well";
    }
  }
  return {};
}

// The march's reasons in the case's units.
well::QuantityText case_units_text(UnitSystem units) {
  well::QuantityText text;
  text.depth = [units](double md) {
    return shown_with_unit(md, Dimension::kDepth, units);
  };
  text.pressure = [units](double p) {
    return shown_with_unit(p, Dimension::kPressure, units);
  };
  // A difference of pressures is no absolute pressure, and may be far
  // below the column's decimals.
  text.pressure_change = [units](double dp) {
    return significant(in_unit(dp, Dimension::kPressure, units), 4) +
           (units == UnitSystem::kField ? " psi" : " bar");
  };
  text.temperature = [units](double kelvin) {
    return shown_with_unit(kelvin, Dimension::kTemperature, units);
  };
  return text;
}

WellStation station_of(const well::MarchRow& row, const well::WellPath& path) {
  WellStation s = march_station(row);
  s.inclination = inclination_at(path, row.md);
  s.usl = row.recorded[kUsl];
  s.usg = row.recorded[kUsg];
  s.rol = row.recorded[kRol];
  s.rog = row.recorded[kRog];
  s.visl = row.recorded[kVisl];
  s.visg = row.recorded[kVisg];
  s.sigma = row.recorded[kSigma];
  s.mass_flow = row.recorded[kMassFlow];
  s.acceleration = row.recorded[kAcceleration];
  return s;
}

}  // namespace

std::vector<bool> table_rows(std::span<const WellStation> stations,
                             std::optional<double> every) {
  std::vector<bool> shown(stations.size(), false);
  // Counted by interval index, not by a running sum that a tiny interval
  // could fail to advance.
  double shown_interval = -1.0;
  for (std::size_t i = 0; i < stations.size(); ++i) {
    const bool step_end = stations[i].kind == well::RowKind::kStepEnd;
    const double interval =
        every ? std::floor(stations[i].md / *every + 1e-9) : -1.0;
    // Both ends: a march that stopped inside an interval ends with a step
    // end, first in the list when it marched up.
    shown[i] = !step_end || i == 0 || i + 1 == stations.size() ||
               (every && interval > shown_interval);
    if (shown[i]) shown_interval = std::max(shown_interval, interval);
  }
  return shown;
}

WellTraverse stations_only(const WellTraverse& traverse) {
  WellTraverse kept = traverse;
  kept.stations.clear();
  const std::vector<bool> shown = table_rows(traverse.stations, std::nullopt);
  for (std::size_t k = 0; k < shown.size(); ++k) {
    if (shown[k]) kept.stations.push_back(traverse.stations[k]);
  }
  return kept;
}

void check_row_spacing(std::optional<double> every) {
  if (every && (!(*every > 0.0) || !std::isfinite(*every))) {
    throw Error("--every must be a positive length in metres, got " +
                shortest(*every));
  }
}

WellTraverse traverse_well(const Correlation& correlation,
                           const WellCase& well_case) {
  WellTraverse traverse;
  traverse.correlation = correlation.name();
  try {
    const well::WellPath path =
        well::build_path(well_case.survey, {well_case.tvd_method, {}});
    const fluids::BlackOilFluid fluid(well_case.fluid);
    const well::TemperatureModel temperature =
        temperature_model(well_case, path, fluid);
    well::MarchOptions options = well_case.march;
    options.text = case_units_text(well_case.units);
    const well::MarchResult result = well::march(
        {path, well_case.pipe, temperature}, well_case.known_end,
        well_case.known_pressure, well_case.flow,
        gradient_of(correlation, fluid, well_case.rates, well_case.gradient),
        options);
    traverse.stations.reserve(result.rows.size());
    for (const auto& row : result.rows) {
      traverse.stations.push_back(station_of(row, path));
    }
    // Top first, whichever way the march went.
    if (well_case.known_end == well::KnownEnd::kBottomHole) {
      std::reverse(traverse.stations.begin(), traverse.stations.end());
    }
    traverse.completed = result.completed();
    traverse.outcome = result.outcome;
    traverse.stopped = result.reason;
    if (!traverse.completed) {
      traverse.stopped_at =
          WellPoint{result.last_md, result.last_tvd, result.last_pressure};
    }
    traverse.evaluations = result.evaluations;
    if (traverse.completed) traverse.answer = result.last_pressure;
    if (well_case.flow == well::FlowDirection::kDownTheWell) {
      traverse.note = downward_two_phase_note(traverse);
    }
  } catch (const well::WellInputError& error) {
    throw Error(well_case.source.string() + ": " + error.what());
  } catch (const fluids::FluidError& error) {
    throw Error(well_case.source.string() + ": " + error.what());
  }
  return traverse;
}

WellStation march_station(const well::MarchRow& row) {
  WellStation s;
  s.md = row.md;
  s.tvd = row.tvd;
  s.fi = row.fi;
  s.pressure = row.pressure;
  s.temperature = row.temperature;
  s.gradient = row.gradient;
  s.holdup = row.holdup;
  s.pattern = row.pattern;
  s.kind = row.kind;
  return s;
}

}  // namespace pipecorr::hostkit
