// How the well reports show numbers: in the unit system the case was written
// in, with the decimals an engineer reads a column at. Quantities the units
// module does not parse (gradients, velocities, densities, ...) get their
// units here, following the system's own units of pressure, length and
// mass: psi/ft beside psia and ft, bar/m beside bar and m.
#pragma once

#include <string>

#include "units/quantity.hpp"

namespace pipecorr::hostkit {

// Quantities a report shows but no case gives.
enum class ReportDimension {
  kGradient,        // Pa/m       | field psi/ft    | si bar/m
  kVelocity,        // m/s        | field ft/s      | si m/s
  kDensity,         // kg/m3      | field lbm/ft3   | si kg/m3
  kViscosity,       // Pa s       | field cP        | si Pa s
  kSurfaceTension,  // N/m        | field dyn/cm    | si N/m
  kMassRate,        // kg/s       | field lbm/s     | si kg/s
};

[[nodiscard]] DisplayUnit display_unit(ReportDimension dimension,
                                       UnitSystem system);
// An SI value in the system's unit (all of these are plain factors).
[[nodiscard]] double to_display(double si, ReportDimension dimension,
                                UnitSystem system);

// Where a number is shown. Tables and CSV show the system's units with the
// decimals a column reads at; pictures show the same units, with the fewer
// digits a label reads at.
enum class Medium { kTable, kPicture };

// The unit of a dimension as the medium shows it ("psia", "bar", "Sm³/d"),
// and an SI value in it.
[[nodiscard]] std::string unit_text(Dimension dimension, UnitSystem system,
                                    Medium medium = Medium::kTable);
[[nodiscard]] double in_unit(double si, Dimension dimension, UnitSystem system,
                             Medium medium = Medium::kTable);

// An SI value as text in the medium's unit, with the decimals its column
// reads at ("2345.6" psia, "0.4331" psi/ft, "79.50" Sm³/d, "123.45" bar);
// "-" for a value that is not finite, so a report never shows "nan".
[[nodiscard]] std::string shown(double si, Dimension dimension,
                                UnitSystem system,
                                Medium medium = Medium::kTable);
[[nodiscard]] std::string shown(double si, ReportDimension dimension,
                                UnitSystem system);

// A plain number (an API gravity, a percentage) with `decimals`; "-" when
// not finite.
[[nodiscard]] std::string fixed_or_dash(double value, int decimals);

// The same with its unit: "150.0 psia", "85.0 °F", "0.35" for a fraction.
[[nodiscard]] std::string shown_with_unit(double si, Dimension dimension,
                                          UnitSystem system,
                                          Medium medium = Medium::kTable);

// Appends an SI value converted to the system's unit as a CSV cell, to
// kCsvSignificantDigits digits in the shortest text that reads back as
// that; an empty cell when not finite.
// CSV cells of converted values carry this many significant digits:
// enough for any input or correlation, few enough to drop the last-bit
// noise of a unit conversion (85 °F in, 85.00000000000006 out).
inline constexpr int kCsvSignificantDigits = 12;
void append_display_cell(std::string& out, double si, Dimension dimension,
                         UnitSystem system);
void append_display_cell(std::string& out, double si, ReportDimension dimension,
                         UnitSystem system);
// A plain number (degrees, a holdup) the same way.
void append_finite_cell(std::string& out, double value);

// "field" or "SI".
[[nodiscard]] std::string_view system_name(UnitSystem system);

}  // namespace pipecorr::hostkit
