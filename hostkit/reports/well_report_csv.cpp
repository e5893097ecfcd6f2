// Every station of every traverse of a well, for programs.
#include <string>

#include "numbers/number_text.hpp"
#include "plugin/pattern_names.hpp"
#include "reports/well_report.hpp"
#include "text/csv.hpp"
#include "units/display_units.hpp"

namespace pipecorr::hostkit {
namespace {

// "pressure" and the system's unit: "pressure_psia".
template <typename D>
void append_heading(std::string& out, std::string_view name, D dimension,
                    UnitSystem system) {
  out += ',';
  out += name;
  out += '_';
  out += display_unit(dimension, system).column;
}

std::string header(UnitSystem system) {
  std::string out = "correlation";
  append_heading(out, "md", Dimension::kDepth, system);
  append_heading(out, "tvd", Dimension::kDepth, system);
  out += ",inclination_deg,fi_deg";
  append_heading(out, "pressure", Dimension::kPressure, system);
  append_heading(out, "temperature", Dimension::kTemperature, system);
  // Gradients are per length of measured depth.
  append_heading(out, "gradient_md", ReportDimension::kGradient, system);
  out += ",holdup,id,pattern";
  append_heading(out, "usl", ReportDimension::kVelocity, system);
  append_heading(out, "usg", ReportDimension::kVelocity, system);
  append_heading(out, "rho_l", ReportDimension::kDensity, system);
  append_heading(out, "rho_g", ReportDimension::kDensity, system);
  append_heading(out, "mu_l", ReportDimension::kViscosity, system);
  append_heading(out, "mu_g", ReportDimension::kViscosity, system);
  append_heading(out, "sigma", ReportDimension::kSurfaceTension, system);
  append_heading(out, "mass_flow", ReportDimension::kMassRate, system);
  append_heading(out, "acceleration_md", ReportDimension::kGradient, system);
  return out + "\n";
}

template <typename D>
void append_value(std::string& out, double si, D dimension, UnitSystem system) {
  out += ',';
  append_display_cell(out, si, dimension, system);
}

void append_plain(std::string& out, double value) {
  out += ',';
  append_finite_cell(out, value);
}

}  // namespace

std::string well_traverse_csv(const WellCase& well_case,
                              std::span<const WellTraverse> traverses) {
  const UnitSystem system = well_case.units;
  std::string out = header(system);
  for (const auto& traverse : traverses) {
    for (const auto& s : traverse.stations) {
      append_cell(out, traverse.correlation);
      append_value(out, s.md, Dimension::kDepth, system);
      append_value(out, s.tvd, Dimension::kDepth, system);
      append_plain(out, s.inclination);
      append_plain(out, s.fi);
      append_value(out, s.pressure, Dimension::kPressure, system);
      append_value(out, s.temperature, Dimension::kTemperature, system);
      append_value(out, s.gradient, ReportDimension::kGradient, system);
      append_plain(out, s.holdup);
      out += ',';
      append_number(out, static_cast<long long>(s.pattern));
      out += ',';
      out += pattern_name(s.pattern);
      append_value(out, s.usl, ReportDimension::kVelocity, system);
      append_value(out, s.usg, ReportDimension::kVelocity, system);
      // Empty where no liquid flows (see the text report).
      if (s.usl > 0.0) {
        append_value(out, s.rol, ReportDimension::kDensity, system);
      } else {
        out += ',';
      }
      if (s.usg > 0.0) {
        append_value(out, s.rog, ReportDimension::kDensity, system);
      } else {
        out += ',';
      }
      append_value(out, s.visl, ReportDimension::kViscosity, system);
      append_value(out, s.visg, ReportDimension::kViscosity, system);
      append_value(out, s.sigma, ReportDimension::kSurfaceTension, system);
      append_value(out, s.mass_flow, ReportDimension::kMassRate, system);
      append_value(out, s.acceleration, ReportDimension::kGradient, system);
      out += '\n';
    }
  }
  return out;
}

}  // namespace pipecorr::hostkit
