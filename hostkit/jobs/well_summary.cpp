#include "jobs/well_summary.hpp"

#include <algorithm>
#include <cmath>

#include "jobs/report_units.hpp"

namespace pipecorr::hostkit {

std::string rates_summary(const WellCase& well_case) {
  const auto system = well_case.units;
  const auto& rates = well_case.rates;
  std::string text =
      "oil " + shown_with_unit(rates.oil, Dimension::kLiquidRate, system) +
      ", water " +
      shown_with_unit(rates.water, Dimension::kLiquidRate, system) + ", gas " +
      shown_with_unit(rates.gas, Dimension::kGasRate, system);
  const double liquid = rates.oil + rates.water;
  if (liquid > 0.0 && std::isfinite(liquid)) {
    text += "; GLR " +
            shown_with_unit(rates.gas / liquid, Dimension::kGasLiquidRatio,
                            system) +
            ", water cut " + fixed_or_dash(100.0 * rates.water / liquid, 1) +
            " %";
  }
  return text;
}

std::string fluid_and_pipe_summary(const WellCase& well_case) {
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
    text += shown(smallest->diameter, Dimension::kDiameter, system) + " to ";
  }
  return text +
         shown_with_unit(largest->diameter, Dimension::kDiameter, system);
}

std::string_view known_end_name(const WellCase& well_case) {
  return well_case.known_end == well::KnownEnd::kWellhead ? "wellhead"
                                                          : "bottom-hole";
}

std::string_view answered_end_name(const WellCase& well_case) {
  return well_case.known_end == well::KnownEnd::kWellhead ? "bottom-hole"
                                                          : "wellhead";
}

std::string known_pressure_summary(const WellCase& well_case) {
  return std::string(known_end_name(well_case)) + " " +
         shown_with_unit(well_case.known_pressure, Dimension::kPressure,
                         well_case.units) +
         " given";
}

const WellStation* last_reached(const WellCase& well_case,
                                const WellTraverse& traverse) {
  if (traverse.stations.empty()) return nullptr;
  return well_case.known_end == well::KnownEnd::kWellhead
             ? &traverse.stations.back()
             : &traverse.stations.front();
}

std::string outcome_summary(const WellCase& well_case,
                            const WellTraverse& traverse) {
  if (traverse.completed) {
    return std::string(answered_end_name(well_case)) + " " +
           shown_with_unit(traverse.answer, Dimension::kPressure,
                           well_case.units);
  }
  const WellStation* last = last_reached(well_case, traverse);
  if (last == nullptr) return "stopped before the first station";
  return "stopped at md " +
         shown_with_unit(last->md, Dimension::kDepth, well_case.units);
}

}  // namespace pipecorr::hostkit
