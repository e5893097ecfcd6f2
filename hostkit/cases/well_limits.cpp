#include "cases/well_limits.hpp"

#include <cmath>
#include <numbers>

#include "fluids/black_oil.hpp"
#include "fluids/domain.hpp"
#include "numbers/number_text.hpp"
#include "numbers/unit_factors.hpp"

namespace pipecorr::hostkit {

std::string shown(double si, Dimension dimension, UnitSystem system) {
  const DisplayUnit unit = display_unit(dimension, system);
  std::string text = significant(to_display(si, dimension, system), 10);
  if (!unit.text.empty()) text.append(" ").append(unit.text);
  return text;
}

std::string pressure_trouble(double pressure, UnitSystem system) {
  const double most = units::psia_to_pa(fluids::domain::kMaxPressurePsia);
  if (pressure > 0.0 && pressure <= most) return {};
  return shown(pressure, Dimension::kPressure, system) +
         " is not an absolute pressure above 0 and at most " +
         shown(most, Dimension::kPressure, system);
}

std::string temperature_trouble(double temperature, UnitSystem system) {
  namespace domain = fluids::domain;
  const double low = units::fahrenheit_to_kelvin(domain::kMinTemperatureF);
  const double high = units::fahrenheit_to_kelvin(domain::kMaxTemperatureF);
  if (temperature >= low && temperature <= high) return {};
  return shown(temperature, Dimension::kTemperature, system) +
         " is outside the fluid correlations' range " +
         shown(low, Dimension::kTemperature, system) + " to " +
         shown(high, Dimension::kTemperature, system);
}

std::string pipe_trouble(double diameter, double roughness, UnitSystem system) {
  // The diameters whose flow areas the fluid state accepts.
  const double smallest =
      std::sqrt(4.0 * fluids::kMinFlowArea / std::numbers::pi);
  const double largest =
      std::sqrt(4.0 * fluids::kMaxFlowArea / std::numbers::pi);
  if (!(diameter >= smallest && diameter <= largest)) {
    return "inside diameter " + shown(diameter, Dimension::kDiameter, system) +
           " is outside " + shown(smallest, Dimension::kDiameter, system) +
           " to " + shown(largest, Dimension::kDiameter, system);
  }
  if (!(roughness >= 0.0 && roughness < diameter / 2.0)) {
    return "roughness " + shown(roughness, Dimension::kRoughness, system) +
           " must be at least 0 and less than half the inside diameter";
  }
  return {};
}

std::string rate_trouble(double rate, Dimension dimension, UnitSystem system) {
  if (rate >= 0.0 && rate <= fluids::kMaxStandardRate) return {};
  return "rate " + shown(rate, dimension, system) + " is outside 0 to " +
         shown(fluids::kMaxStandardRate, dimension, system);
}

}  // namespace pipecorr::hostkit
