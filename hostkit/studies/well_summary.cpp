#include "studies/well_summary.hpp"

#include <algorithm>
#include <cmath>
#include <variant>

namespace pipecorr::hostkit {

std::string rates_summary(const WellCase& well_case, Medium medium) {
  const auto system = well_case.units;
  const auto& rates = well_case.rates;
  std::string text =
      "oil " +
      shown_with_unit(rates.oil, Dimension::kLiquidRate, system, medium) +
      ", water " +
      shown_with_unit(rates.water, Dimension::kLiquidRate, system, medium) +
      ", gas " +
      shown_with_unit(rates.gas, Dimension::kGasRate, system, medium);
  const double liquid = rates.oil + rates.water;
  if (liquid > 0.0 && std::isfinite(liquid)) {
    text += "; GLR " +
            shown_with_unit(rates.gas / liquid, Dimension::kGasLiquidRatio,
                            system, medium) +
            ", " + water_cut_summary(well_case);
  }
  return text;
}

std::string water_cut_summary(const WellCase& well_case) {
  const double liquid = well_case.rates.oil + well_case.rates.water;
  if (!(liquid > 0.0)) return {};
  return "water cut " +
         fixed_or_dash(100.0 * well_case.rates.water / liquid, 1) + " %";
}

std::string lift_curve_label(const WellCase& well_case,
                             const LiftCurves& curves, std::size_t index,
                             Medium medium) {
  if (index >= curves.curves.size()) return {};
  const auto system = well_case.units;
  const auto& curve = curves.curves[index];
  bool same_glr = true;
  bool same_wellhead = true;
  for (const auto& other : curves.curves) {
    same_glr = same_glr && other.gas_liquid_ratio == curve.gas_liquid_ratio;
    same_wellhead =
        same_wellhead && other.wellhead_pressure == curve.wellhead_pressure;
  }
  const std::string glr =
      "GLR " + shown_with_unit(curve.gas_liquid_ratio,
                               Dimension::kGasLiquidRatio, system, medium);
  const std::string wellhead =
      "wellhead " + shown_with_unit(curve.wellhead_pressure,
                                    Dimension::kPressure, system, medium);
  if (same_wellhead && !same_glr) return glr;
  if (same_glr && !same_wellhead) return wellhead;
  return glr + ", " + wellhead;
}

std::string inflow_summary(const WellCase& well_case,
                           const well::Inflow& inflow, Medium medium) {
  const auto system = well_case.units;
  if (const auto* line = std::get_if<well::StraightLineInflow>(&inflow)) {
    return "straight line: reservoir " +
           shown_with_unit(line->reservoir_pressure(), Dimension::kPressure,
                           system, medium) +
           ", PI " +
           shown_with_unit(line->productivity_index(),
                           Dimension::kProductivityIndex, system, medium);
  }
  const auto& vogel = std::get<well::VogelInflow>(inflow);
  return "Vogel: reservoir " +
         shown_with_unit(vogel.reservoir_pressure(), Dimension::kPressure,
                         system, medium) +
         ", maximum rate " +
         shown_with_unit(vogel.max_rate(), Dimension::kLiquidRate, system,
                         medium);
}

std::string fluid_and_pipe_summary(const WellCase& well_case, Medium medium) {
  const auto system = well_case.units;
  std::string text = "oil " + fixed_or_dash(well_case.fluid.api, 1) +
                     " \u00b0API, gas gravity " +
                     fixed_or_dash(well_case.fluid.gas_gravity, 3);
  const auto sections = well_case.pipe.sections();
  if (sections.empty()) return text;
  const auto [smallest, largest] = std::minmax_element(
      sections.begin(), sections.end(),
      [](const auto& a, const auto& b) { return a.diameter < b.diameter; });
  text += "; tubing ID ";
  if (smallest->diameter != largest->diameter) {
    text += shown(smallest->diameter, Dimension::kDiameter, system, medium) +
            " to ";
  }
  return text + shown_with_unit(largest->diameter, Dimension::kDiameter, system,
                                medium);
}

std::string_view known_end_name(const WellCase& well_case) {
  return well_case.known_end == well::KnownEnd::kWellhead ? "wellhead"
                                                          : "bottom-hole";
}

std::string_view answered_end_name(const WellCase& well_case) {
  return well_case.known_end == well::KnownEnd::kWellhead ? "bottom-hole"
                                                          : "wellhead";
}

std::string known_pressure_summary(const WellCase& well_case, Medium medium) {
  return std::string(known_end_name(well_case)) + " " +
         shown_with_unit(well_case.known_pressure, Dimension::kPressure,
                         well_case.units, medium) +
         " given";
}

const WellStation* last_reached(const WellCase& well_case,
                                const WellTraverse& traverse) {
  if (traverse.stations.empty()) return nullptr;
  return well_case.known_end == well::KnownEnd::kWellhead
             ? &traverse.stations.back()
             : &traverse.stations.front();
}

std::optional<WellPoint> stop_point(const WellCase& well_case,
                                    const WellTraverse& traverse) {
  if (traverse.stopped_at) return traverse.stopped_at;
  const WellStation* last = last_reached(well_case, traverse);
  if (last == nullptr) return std::nullopt;
  return WellPoint{last->md, last->tvd, last->pressure};
}

std::string outcome_summary(const WellCase& well_case,
                            const WellTraverse& traverse, Medium medium) {
  if (traverse.completed) {
    return std::string(answered_end_name(well_case)) + " " +
           shown_with_unit(traverse.answer, Dimension::kPressure,
                           well_case.units, medium);
  }
  const auto stop = stop_point(well_case, traverse);
  if (!stop) return "stopped before the first station";
  return "stopped at md " +
         shown_with_unit(stop->md, Dimension::kDepth, well_case.units, medium);
}

}  // namespace pipecorr::hostkit
