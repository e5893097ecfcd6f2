#include "studies/lift_curves.hpp"

#include "studies/well_summary.hpp"
#include "studies/well_traverse.hpp"
#include "text/error.hpp"
#include "units/display_units.hpp"
#include "well/input_error.hpp"

namespace pipecorr::hostkit {
namespace {

std::optional<well::Inflow> inflow_of(const WellCase& c) {
  const LiftSettings& lift = c.lift;
  if (!lift.reservoir_pressure) {
    if (lift.productivity_index || lift.vogel_max_rate) {
      throw Error(c.source.string() +
                  ": an inflow needs the reservoir pressure too");
    }
    return std::nullopt;
  }
  try {
    if (lift.productivity_index) {
      return well::StraightLineInflow(*lift.reservoir_pressure,
                                      *lift.productivity_index);
    }
    if (lift.vogel_max_rate) {
      return well::VogelInflow::from_max_rate(*lift.reservoir_pressure,
                                              *lift.vogel_max_rate);
    }
  } catch (const well::WellInputError& error) {
    throw Error(c.source.string() + ": " + error.what());
  }
  throw Error(c.source.string() +
              ": a reservoir pressure needs a productivity index or a Vogel "
              "maximum rate to make an inflow curve");
}

// The case at another liquid rate, with its water cut and the given GLR.
WellCase at_rate(const WellCase& c, double liquid_rate, double glr,
                 double wellhead_pressure) {
  const double liquid = c.rates.oil + c.rates.water;
  const double water_cut = liquid > 0.0 ? c.rates.water / liquid : 0.0;
  WellCase point = c;
  point.rates.oil = liquid_rate * (1.0 - water_cut);
  point.rates.water = liquid_rate * water_cut;
  point.rates.gas = glr * liquid_rate;
  point.known_end = well::KnownEnd::kWellhead;
  point.known_pressure = wellhead_pressure;
  return point;
}

}  // namespace

LiftCurves compute_lift_curves(const Correlation& correlation,
                               const WellCase& c) {
  const LiftSettings& lift = c.lift;
  if (lift.liquid_rates.empty()) {
    throw Error(c.source.string() +
                ": lift curves need liquid rates (lift_rates)");
  }
  if (!lift.gas_liquid_ratios.empty() && !lift.wellhead_pressures.empty()) {
    throw Error(c.source.string() +
                ": lift curves vary either the gas-liquid ratio or the "
                "wellhead pressure, not both");
  }
  const double liquid = c.rates.oil + c.rates.water;
  const double case_glr = liquid > 0.0 ? c.rates.gas / liquid : 0.0;
  if (lift.wellhead_pressures.empty() &&
      c.known_end != well::KnownEnd::kWellhead) {
    throw Error(c.source.string() +
                ": lift curves start from a wellhead pressure; give "
                "wellhead_pressure or lift_wellhead_pressures");
  }

  LiftCurves curves;
  curves.correlation = correlation.name();
  curves.inflow = inflow_of(c);
  // One curve per GLR, or per wellhead pressure, or the case's own.
  std::vector<std::pair<double, double>> fixed;  // (glr, wellhead pressure)
  for (const double glr : lift.gas_liquid_ratios) {
    fixed.emplace_back(glr, c.known_pressure);
  }
  for (const double whp : lift.wellhead_pressures) {
    fixed.emplace_back(case_glr, whp);
  }
  if (fixed.empty()) fixed.emplace_back(case_glr, c.known_pressure);

  for (const auto& [glr, whp] : fixed) {
    LiftCurve curve;
    curve.gas_liquid_ratio = glr;
    curve.wellhead_pressure = whp;
    for (const double rate : lift.liquid_rates) {
      const WellCase point = at_rate(c, rate, glr, whp);
      const WellTraverse traverse = traverse_well(correlation, point);
      if (traverse.completed) {
        curve.points.push_back({rate, traverse.answer});
      } else {
        // Which rate, where its march stopped, and why.
        curve.failures.push_back(
            shown_with_unit(rate, Dimension::kLiquidRate, c.units) + ": " +
            outcome_summary(point, traverse) + ": " +
            (traverse.stopped.empty() ? "no reason given" : traverse.stopped));
      }
    }
    if (curves.inflow && curve.points.size() >= 2) {
      const well::OperatingPoint operating =
          well::find_operating_point(curve.points, *curves.inflow);
      curve.crossings = operating.crossings;
      curve.operating_point = operating.point;
    }
    curves.curves.push_back(std::move(curve));
  }
  return curves;
}

}  // namespace pipecorr::hostkit
