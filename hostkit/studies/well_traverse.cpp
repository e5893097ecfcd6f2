#include "studies/well_traverse.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "fluids/fluid_error.hpp"
#include "numbers/number_text.hpp"
#include "text/error.hpp"
#include "text/escape.hpp"
#include "units/display_units.hpp"
#include "well/input_error.hpp"

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
};

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
  // The relaxation distance from the flow at the bottom of the well, where
  // the fluid enters: its mass rate and the liquid density there.
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
      inflow.mass_flow, diameter, c.fluid.api, c.fluid.gas_gravity, inflow.rol);
  return well::RameyTemperature(ramey);
}

// The survey's inclination at `md`, linear between its stations.
double inclination_at(const well::WellPath& path, double md) {
  const auto stations = path.stations();
  if (md <= stations.front().md) return stations.front().inclination;
  for (std::size_t k = 1; k < stations.size(); ++k) {
    if (md <= stations[k].md) {
      const auto& a = stations[k - 1];
      const auto& b = stations[k];
      const double t = (md - a.md) / (b.md - a.md);
      return a.inclination + t * (b.inclination - a.inclination);
    }
  }
  return stations.back().inclination;
}

// The correlation fed with the black-oil fluid at the point.
well::GradientFunction gradient_of(const Correlation& correlation,
                                   const fluids::BlackOilFluid& fluid,
                                   const fluids::StandardRates& rates) {
  return [&correlation, &fluid,
          rates](const well::PointConditions& at) -> well::GradientResult {
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
    const FlowInputs inputs{state.usl,   state.usg,  state.rol,    state.rog,
                            state.visl,  state.visg, at.roughness, state.sigma,
                            at.diameter, at.fi,      at.pressure};
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
           (units == UnitSystem::kField ? " psi" : " Pa");
  };
  text.temperature = [units](double kelvin) {
    return shown_with_unit(kelvin, Dimension::kTemperature, units);
  };
  return text;
}

WellStation station_of(const well::MarchRow& row, const well::WellPath& path) {
  WellStation s;
  s.md = row.md;
  s.tvd = row.tvd;
  s.inclination = inclination_at(path, row.md);
  s.fi = row.fi;
  s.pressure = row.pressure;
  s.temperature = row.temperature;
  s.gradient = row.gradient;
  s.holdup = row.holdup;
  s.pattern = row.pattern;
  s.usl = row.recorded[kUsl];
  s.usg = row.recorded[kUsg];
  s.rol = row.recorded[kRol];
  s.rog = row.recorded[kRog];
  s.visl = row.recorded[kVisl];
  s.visg = row.recorded[kVisg];
  s.sigma = row.recorded[kSigma];
  s.mass_flow = row.recorded[kMassFlow];
  return s;
}

}  // namespace

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
    const well::MarchResult result =
        well::march({path, well_case.pipe, temperature}, well_case.known_end,
                    well_case.known_pressure, well_case.flow,
                    gradient_of(correlation, fluid, well_case.rates), options);
    for (const auto& row : result.rows) {
      traverse.stations.push_back(station_of(row, path));
    }
    // Top first, whichever way the march went.
    if (well_case.known_end == well::KnownEnd::kBottomHole) {
      std::reverse(traverse.stations.begin(), traverse.stations.end());
    }
    traverse.completed = result.completed();
    traverse.stopped = result.reason;
    if (!traverse.completed) {
      traverse.stopped_at =
          WellPoint{result.last_md, result.last_tvd, result.last_pressure};
    }
    traverse.evaluations = result.evaluations;
    if (traverse.completed) traverse.answer = result.last_pressure;
  } catch (const well::WellInputError& error) {
    throw Error(well_case.source.string() + ": " + error.what());
  } catch (const fluids::FluidError& error) {
    throw Error(well_case.source.string() + ": " + error.what());
  }
  return traverse;
}

}  // namespace pipecorr::hostkit
