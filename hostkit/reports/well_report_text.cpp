// The table of a well's traverses, for people at a terminal.
#include <algorithm>
#include <array>
#include <string>

#include "plugin/pattern_names.hpp"
#include "reports/well_report.hpp"
#include "studies/well_summary.hpp"
#include "text/escape.hpp"
#include "text/table_text.hpp"
#include "units/display_units.hpp"

namespace pipecorr::hostkit {
namespace {

std::string unit_text(ReportDimension dimension, UnitSystem system) {
  return std::string(display_unit(dimension, system).text);
}

// Gradients along the hole: per length of measured depth, not of depth.
std::string per_md(UnitSystem system) {
  return unit_text(ReportDimension::kGradient, system) + " MD";
}

// Pattern last: its names differ in length, the numbers keep their columns.
std::array<TextColumn, 13> station_columns(UnitSystem system) {
  return {{{"md", unit_text(Dimension::kDepth, system), 10},
           {"tvd", unit_text(Dimension::kDepth, system), 10},
           {"incl", "deg", 7},
           {"pressure", unit_text(Dimension::kPressure, system), 11},
           {"temp", unit_text(Dimension::kTemperature, system), 8},
           {"holdup", "", 8},
           {"gradient", per_md(system), 11},
           {"accel", per_md(system), 11},
           {"usl", unit_text(ReportDimension::kVelocity, system), 9},
           {"usg", unit_text(ReportDimension::kVelocity, system), 9},
           {"rho_l", unit_text(ReportDimension::kDensity, system), 9},
           {"rho_g", unit_text(ReportDimension::kDensity, system), 9},
           {"  pattern", "", 0}}};
}

std::string station_line(const WellStation& s, UnitSystem system,
                         const std::array<TextColumn, 13>& columns) {
  // No liquid density where no liquid flows, no gas density where no gas
  // does: the fluid model's stand-ins are no property of the stream.
  const bool liquid = s.usl > 0.0;
  const bool gas = s.usg > 0.0;
  const std::array<std::string, 12> cells{
      shown(s.md, Dimension::kDepth, system),
      shown(s.tvd, Dimension::kDepth, system),
      fixed_or_dash(s.inclination, 2),
      shown(s.pressure, Dimension::kPressure, system),
      shown(s.temperature, Dimension::kTemperature, system),
      fixed_or_dash(s.holdup, 4),
      shown(s.gradient, ReportDimension::kGradient, system),
      shown(s.acceleration, ReportDimension::kGradient, system),
      shown(s.usl, ReportDimension::kVelocity, system),
      shown(s.usg, ReportDimension::kVelocity, system),
      liquid ? shown(s.rol, ReportDimension::kDensity, system) : "-",
      gas ? shown(s.rog, ReportDimension::kDensity, system) : "-"};
  std::string line;
  for (std::size_t k = 0; k < cells.size(); ++k) {
    line += right_aligned(cells[k], columns[k].width);
  }
  return line + "  " + std::to_string(s.pattern) + " " +
         std::string(pattern_name(s.pattern)) + "\n";
}

std::string ending(const WellCase& well_case, const WellTraverse& traverse) {
  if (traverse.completed) {
    return "completed: " + outcome_summary(well_case, traverse) + "\n";
  }
  std::string text = outcome_summary(well_case, traverse);
  if (const auto stop = stop_point(well_case, traverse)) {
    text +=
        " (tvd " +
        shown_with_unit(stop->tvd, Dimension::kDepth, well_case.units) + ", " +
        shown_with_unit(stop->pressure, Dimension::kPressure, well_case.units) +
        ")";
  }
  const std::string why = traverse.stopped.empty()
                              ? "no reason given"
                              : for_terminal(traverse.stopped);
  return text + ": " + why + "\n";
}

}  // namespace

std::string well_traverse_text(const WellCase& well_case,
                               std::span<const WellTraverse> traverses,
                               std::optional<double> every) {
  const UnitSystem system = well_case.units;
  std::string out = "Well traverse: " + for_terminal(well_case.title) + "\n";
  out += "case " + for_terminal(well_case.source.string()) + ", " +
         std::string(system_name(system)) + " units (pressure " +
         unit_text(Dimension::kPressure, system) + ", temperature " +
         unit_text(Dimension::kTemperature, system) + ", depth " +
         unit_text(Dimension::kDepth, system) +
         "); md along the hole, tvd true vertical\n";
  out += rates_summary(well_case) + "\n";
  out += fluid_and_pipe_summary(well_case) + "\n";
  for (const auto& traverse : traverses) {
    out += for_terminal(traverse.correlation) + ": " +
           known_pressure_summary(well_case) + ", " +
           outcome_summary(well_case, traverse) + "\n";
  }
  if (traverses.empty()) out += "no traverse\n";

  const auto columns = station_columns(system);
  for (const auto& traverse : traverses) {
    // Stations proper: rows at step ends, when marched with them, are
    // extra rows of the table, not stations.
    const std::vector<bool> stations =
        table_rows(traverse.stations, std::nullopt);
    const std::vector<bool> shown = table_rows(traverse.stations, every);
    out += "\n" + for_terminal(traverse.correlation) + ": " +
           std::to_string(std::count(stations.begin(), stations.end(), true)) +
           " stations, " + std::to_string(traverse.evaluations) +
           " correlation calls\n";
    out += column_headings(columns);
    for (std::size_t k = 0; k < traverse.stations.size(); ++k) {
      if (shown[k]) out += station_line(traverse.stations[k], system, columns);
    }
    out += ending(well_case, traverse);
    if (!traverse.note.empty()) {
      out += "note: " + for_terminal(traverse.note) + "\n";
    }
  }
  return out;
}

}  // namespace pipecorr::hostkit
