#include "units/display_units.hpp"

#include <array>
#include <charconv>
#include <cmath>
#include <optional>
#include <system_error>

#include "numbers/number_text.hpp"
#include "numbers/unit_factors.hpp"

namespace pipecorr::hostkit {
namespace {

namespace u = pipecorr::units;

bool field(UnitSystem system) { return system == UnitSystem::kField; }

// SI units per shown unit: field units, and in SI the bar for gradients.
double si_factor(ReportDimension dimension, UnitSystem system) {
  if (!field(system)) {
    return dimension == ReportDimension::kGradient ? u::kPascalsPerBar : 1.0;
  }
  switch (dimension) {
    case ReportDimension::kGradient:
      return u::kPascalsPerPsi / u::kMetresPerFoot;
    case ReportDimension::kVelocity:
      return u::kMetresPerFoot;
    case ReportDimension::kDensity:
      return u::kKgPerM3PerLbmPerFt3;
    case ReportDimension::kViscosity:
      return u::cp_to_pa_s(1.0);
    case ReportDimension::kSurfaceTension:
      return u::dyn_cm_to_n_m(1.0);
    case ReportDimension::kMassRate:
      return u::kKilogramsPerPound;
  }
  return 1.0;
}

// Decimals after the point, or (significant) digits in all: SI rates of
// a few litres a second need significant digits, not decimals.
struct Format {
  int digits = 2;
  bool significant = false;
};

Format format_of(Dimension dimension, UnitSystem system) {
  const bool f = field(system);
  switch (dimension) {
    case Dimension::kPressure:
      return {f ? 1 : 2};
    case Dimension::kTemperature:
      return {f ? 1 : 2};
    case Dimension::kDepth:
      return {f ? 1 : 2};
    case Dimension::kDiameter:
    case Dimension::kRoughness:
      return f ? Format{3} : Format{4, true};
    case Dimension::kLiquidRate:
      return {f ? 1 : 2};
    case Dimension::kGasRate:
      return {f ? 0 : 1};
    case Dimension::kGasLiquidRatio:
      return {f ? 1 : 2};
    case Dimension::kProductivityIndex:
      return {4, true};
    case Dimension::kLiquidGasRatio:
      return {f ? 2 : 4, !f};
    case Dimension::kFraction:
      return {3};
  }
  return {};
}

Format format_of(ReportDimension dimension, UnitSystem system) {
  const bool f = field(system);
  switch (dimension) {
    case ReportDimension::kGradient:
      return {f ? 4 : 5};
    case ReportDimension::kVelocity:
      return {3};
    case ReportDimension::kDensity:
      return {f ? 2 : 1};
    case ReportDimension::kViscosity:
      return f ? Format{4} : Format{4, true};
    case ReportDimension::kSurfaceTension:
      return {f ? 2 : 4};
    case ReportDimension::kMassRate:
      return {3};
  }
  return {};
}

std::string formatted(double value, Format format) {
  if (!std::isfinite(value)) return "-";
  return format.significant ? significant(value, format.digits)
                            : fixed(value, format.digits);
}

// What a picture shows differently from a table: a label on an axis or a
// curve reads at fewer digits than a column (4 significant digits of an
// SI rate, two decimals of bar), so SI pressures and rates take the
// table's unit with a picture's format.
struct PictureUnit {
  double per_si = 1.0;
  std::string_view text;
  Format format;
};

std::optional<PictureUnit> picture_unit(Dimension dimension, UnitSystem system,
                                        Medium medium) {
  if (medium != Medium::kPicture || field(system)) return std::nullopt;
  const auto table = display_unit(dimension, system);
  const double per_si = to_display(1.0, dimension, system);
  switch (dimension) {
    case Dimension::kPressure:
      return PictureUnit{per_si, table.text, {1}};
    case Dimension::kLiquidRate:
      return PictureUnit{per_si, table.text, {1}};
    case Dimension::kGasRate:
      return PictureUnit{per_si, table.text, {0}};
    default:
      return std::nullopt;
  }
}

}  // namespace

DisplayUnit display_unit(ReportDimension dimension, UnitSystem system) {
  const bool f = field(system);
  switch (dimension) {
    case ReportDimension::kGradient:
      return f ? DisplayUnit{"psi/ft", "psi_per_ft"}
               : DisplayUnit{"bar/m", "bar_per_m"};
    case ReportDimension::kVelocity:
      return f ? DisplayUnit{"ft/s", "ft_per_s"}
               : DisplayUnit{"m/s", "m_per_s"};
    case ReportDimension::kDensity:
      return f ? DisplayUnit{"lbm/ft\u00b3", "lbm_per_ft3"}
               : DisplayUnit{"kg/m\u00b3", "kg_per_m3"};
    case ReportDimension::kViscosity:
      return f ? DisplayUnit{"cP", "cP"} : DisplayUnit{"Pa\u00b7s", "Pa_s"};
    case ReportDimension::kSurfaceTension:
      return f ? DisplayUnit{"dyn/cm", "dyn_per_cm"}
               : DisplayUnit{"N/m", "N_per_m"};
    case ReportDimension::kMassRate:
      return f ? DisplayUnit{"lbm/s", "lbm_per_s"}
               : DisplayUnit{"kg/s", "kg_per_s"};
  }
  return {"", ""};
}

double to_display(double si, ReportDimension dimension, UnitSystem system) {
  return si / si_factor(dimension, system);
}

std::string fixed_or_dash(double value, int decimals) {
  return formatted(value, {decimals});
}

std::string unit_text(Dimension dimension, UnitSystem system, Medium medium) {
  if (const auto picture = picture_unit(dimension, system, medium)) {
    return std::string(picture->text);
  }
  return std::string(display_unit(dimension, system).text);
}

double in_unit(double si, Dimension dimension, UnitSystem system,
               Medium medium) {
  if (const auto picture = picture_unit(dimension, system, medium)) {
    return si * picture->per_si;
  }
  return to_display(si, dimension, system);
}

std::string shown(double si, Dimension dimension, UnitSystem system,
                  Medium medium) {
  const auto picture = picture_unit(dimension, system, medium);
  return formatted(in_unit(si, dimension, system, medium),
                   picture ? picture->format : format_of(dimension, system));
}

std::string shown(double si, ReportDimension dimension, UnitSystem system) {
  return formatted(to_display(si, dimension, system),
                   format_of(dimension, system));
}

std::string shown_with_unit(double si, Dimension dimension, UnitSystem system,
                            Medium medium) {
  const auto unit = unit_text(dimension, system, medium);
  std::string text = shown(si, dimension, system, medium);
  if (!unit.empty()) {
    text += ' ';
    text += unit;
  }
  return text;
}

namespace {

// A converted value to kCsvSignificantDigits digits: the conversion's last-bit
// noise goes (80 F read in and written out is 80, not 80.00000000000006),
// and the digits kept are more than any input or correlation carries.
double without_conversion_noise(double value) {
  if (!std::isfinite(value) || value == 0.0) return value;
  std::array<char, 32> text{};
  const auto [end, error] =
      std::to_chars(text.data(), text.data() + text.size(), value,
                    std::chars_format::general, kCsvSignificantDigits);
  if (error != std::errc{}) return value;
  double rounded = value;
  std::from_chars(text.data(), end, rounded);
  return rounded;
}

}  // namespace

void append_display_cell(std::string& out, double si, Dimension dimension,
                         UnitSystem system) {
  append_finite_cell(
      out, without_conversion_noise(to_display(si, dimension, system)));
}

void append_display_cell(std::string& out, double si, ReportDimension dimension,
                         UnitSystem system) {
  append_finite_cell(
      out, without_conversion_noise(to_display(si, dimension, system)));
}

void append_finite_cell(std::string& out, double value) {
  if (std::isfinite(value)) append_number(out, value);
}

std::string_view system_name(UnitSystem system) {
  return field(system) ? "field" : "SI";
}

}  // namespace pipecorr::hostkit
