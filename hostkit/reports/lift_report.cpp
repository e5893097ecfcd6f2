// Lift curves as a table for people and as CSV for programs.
#include "reports/lift_report.hpp"

#include <array>
#include <string>
#include <string_view>

#include "numbers/number_text.hpp"
#include "studies/well_summary.hpp"
#include "text/csv.hpp"
#include "text/escape.hpp"
#include "text/table_text.hpp"
#include "units/display_units.hpp"

namespace pipecorr::hostkit {
namespace {

std::string crossing_state(const well::Crossing& crossing) {
  if (crossing.heading) {
    return "unstable: heading, left of the curve's minimum";
  }
  return crossing.stable ? "stable"
                         : "unstable: the curve falls through the inflow";
}

std::string operating_point_line(const WellCase& well_case,
                                 const LiftCurve& curve) {
  const auto system = well_case.units;
  std::string out;
  for (const auto& crossing : curve.crossings) {
    out += "crossing: " +
           shown_with_unit(crossing.rate, Dimension::kLiquidRate, system) +
           " at " +
           shown_with_unit(crossing.flowing_pressure, Dimension::kPressure,
                           system) +
           ", " + crossing_state(crossing) + "\n";
  }
  if (!curve.operating_point) {
    return out + "no stable operating point within the rates computed\n";
  }
  const auto& point = *curve.operating_point;
  return out + "operating point: " +
         shown_with_unit(point.rate, Dimension::kLiquidRate, system) + " at " +
         shown_with_unit(point.flowing_pressure, Dimension::kPressure, system) +
         "\n";
}

}  // namespace

std::string lift_curves_text(const WellCase& well_case,
                             const LiftCurves& curves) {
  const auto system = well_case.units;
  std::string out = "Lift curves: " + for_terminal(well_case.title) + "\n";
  out += "case " + for_terminal(well_case.source.string()) + ", " +
         std::string(system_name(system)) + " units, correlation " +
         for_terminal(curves.correlation) + "\n";
  out += fluid_and_pipe_summary(well_case);
  if (const auto cut = water_cut_summary(well_case); !cut.empty()) {
    out += "; " + cut;
  }
  out += "\ninflow: " +
         (curves.inflow ? inflow_summary(well_case, *curves.inflow)
                        : std::string("none given")) +
         "\n";
  const std::array<TextColumn, 2> columns{
      {{"liquid rate",
        std::string(display_unit(Dimension::kLiquidRate, system).text), 14},
       {"bottom-hole",
        std::string(display_unit(Dimension::kPressure, system).text), 14}}};
  for (std::size_t i = 0; i < curves.curves.size(); ++i) {
    const auto& curve = curves.curves[i];
    out += "\ncurve " + std::to_string(i + 1) + ": " +
           lift_curve_label(well_case, curves, i) + "\n";
    out += column_headings(columns);
    for (const auto& point : curve.points) {
      out += right_aligned(shown(point.rate, Dimension::kLiquidRate, system),
                           columns[0].width) +
             right_aligned(
                 shown(point.flowing_pressure, Dimension::kPressure, system),
                 columns[1].width) +
             "\n";
    }
    for (const auto& failure : curve.failures) {
      out += "failed: " + for_terminal(failure) + "\n";
    }
    if (curves.inflow) out += operating_point_line(well_case, curve);
  }
  if (curves.curves.empty()) out += "\nno lift curve\n";
  return out;
}

std::string lift_curves_csv(const WellCase& well_case,
                            const LiftCurves& curves) {
  const auto system = well_case.units;
  const auto pressure = display_unit(Dimension::kPressure, system).column;
  std::string out = "correlation,curve,gas_liquid_ratio_";
  out += display_unit(Dimension::kGasLiquidRatio, system).column;
  out += ",wellhead_pressure_";
  out += pressure;
  out += ",liquid_rate_";
  out += display_unit(Dimension::kLiquidRate, system).column;
  out += ",bottom_hole_pressure_";
  out += pressure;
  out += ",point\n";
  for (std::size_t i = 0; i < curves.curves.size(); ++i) {
    const auto& curve = curves.curves[i];
    auto row = [&](const well::LiftPoint& point, std::string_view kind) {
      append_cell(out, curves.correlation);
      out += ',';
      append_number(out, static_cast<long long>(i + 1));
      out += ',';
      append_display_cell(out, curve.gas_liquid_ratio,
                          Dimension::kGasLiquidRatio, system);
      out += ',';
      append_display_cell(out, curve.wellhead_pressure, Dimension::kPressure,
                          system);
      out += ',';
      append_display_cell(out, point.rate, Dimension::kLiquidRate, system);
      out += ',';
      append_display_cell(out, point.flowing_pressure, Dimension::kPressure,
                          system);
      out += ',';
      out += kind;
      out += '\n';
    };
    for (const auto& point : curve.points) row(point, "lift");
    // The crossings with the inflow after the curve's own points.
    for (const auto& crossing : curve.crossings) {
      row({crossing.rate, crossing.flowing_pressure},
          crossing.stable && !crossing.heading ? "stable_crossing"
                                               : "unstable_crossing");
    }
  }
  return out;
}

}  // namespace pipecorr::hostkit
