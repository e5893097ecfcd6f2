#include "well/ramey.hpp"

#include <algorithm>
#include <cmath>
#include <string>

#include "numbers/number_text.hpp"
#include "numbers/unit_factors.hpp"

namespace pipecorr::well {
namespace {

void require(bool good, const std::string& what, double value,
             const std::string& must) {
  if (!good) {
    throw WellInputError(what + " " + number_text(value) + " must be " + must);
  }
}

void require_positive(const std::string& what, double value) {
  require(value > 0.0 && std::isfinite(value), what, value,
          "positive and finite");
}

}  // namespace

RameyTemperature::RameyTemperature(const RameyInputs& inputs)
    : inputs_(inputs),
      inlet_(inputs.inlet_temperature.value_or(inputs.bottom_temperature)) {
  require(std::isfinite(inputs.bottom_tvd), "Ramey: bottom TVD (m)",
          inputs.bottom_tvd, "finite");
  require_positive("Ramey: bottom-hole earth temperature (K)",
                   inputs.bottom_temperature);
  require(std::isfinite(inputs.geothermal_gradient),
          "Ramey: geothermal gradient (K/m)", inputs.geothermal_gradient,
          "finite");
  require_positive("Ramey: relaxation distance (m)",
                   inputs.relaxation_distance);
  require_positive("Ramey: inlet temperature (K)", inlet_);
}

double RameyTemperature::earth_at_tvd(double tvd) const {
  return inputs_.bottom_temperature -
         inputs_.geothermal_gradient * (inputs_.bottom_tvd - tvd);
}

double RameyTemperature::at_tvd(double tvd) const {
  const double z = std::max(0.0, inputs_.bottom_tvd - tvd);
  const double a = inputs_.relaxation_distance;
  // 1 - exp(-z/A) without cancellation just above the inflow.
  const double approached = -std::expm1(-z / a);
  return earth_at_tvd(inputs_.bottom_tvd - z) +
         inputs_.geothermal_gradient * a * approached +
         (inlet_ - inputs_.bottom_temperature) * (1.0 - approached);
}

double shiu_beggs_relaxation_distance_ft(const ShiuBeggsFieldInputs& in) {
  require_positive("Shiu-Beggs: mass rate (lbm/s)", in.mass_rate);
  require_positive("Shiu-Beggs: inside diameter (in)", in.inside_diameter);
  require_positive("Shiu-Beggs: oil gravity (API)", in.oil_api);
  require_positive("Shiu-Beggs: gas gravity (air = 1)", in.gas_gravity);
  require_positive("Shiu-Beggs: liquid density (lbm/ft3)", in.liquid_density);
  return 0.0149 * std::pow(in.mass_rate, 0.5253) *
         std::pow(in.liquid_density, 2.9303) *
         std::pow(in.inside_diameter, -0.2904) * std::pow(in.oil_api, 0.2608) *
         std::pow(in.gas_gravity, 4.4146);
}

double shiu_beggs_relaxation_distance(double mass_rate, double inside_diameter,
                                      double oil_api, double gas_gravity,
                                      double liquid_density) {
  const ShiuBeggsFieldInputs in{
      units::kg_s_to_lbm_s(mass_rate), units::m_to_in(inside_diameter), oil_api,
      gas_gravity,
      // kg/m3 to lbm/ft3 in the order the march has always used.
      liquid_density / units::kKilogramsPerPound *
          units::kCubicMetresPerCubicFoot};
  return units::ft_to_m(shiu_beggs_relaxation_distance_ft(in));
}

RameyTemperature ramey_from_field_units(const RameyFieldInputs& in) {
  RameyInputs si;
  si.bottom_tvd = units::ft_to_m(in.bottom_tvd);
  si.bottom_temperature = units::fahrenheit_to_kelvin(in.bottom_temperature);
  si.geothermal_gradient =
      units::fahrenheit_per_ft_to_k_per_m(in.geothermal_gradient);
  si.relaxation_distance =
      units::ft_to_m(shiu_beggs_relaxation_distance_ft(in.flow));
  return RameyTemperature(si);
}

}  // namespace pipecorr::well
