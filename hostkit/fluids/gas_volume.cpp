#include "fluids/gas_volume.hpp"

#include "fluids/input_checks.hpp"
#include "fluids/standard_conditions.hpp"
#include "numbers/unit_factors.hpp"

namespace pipecorr::fluids {
namespace {

void check_state(double p, double t, double z, const char* function) {
  detail::check_pressure_psia(p, function);
  detail::check_temperature_f(t, function);
  detail::require_positive(z, function, "Z factor");
}

}  // namespace

double gas_molar_mass(double gravity) {
  detail::check_gas_gravity(gravity, "gas_molar_mass");
  return kAirMolarMass * gravity;
}

double gas_fvf(double pressure_psia, double temperature_f, double z) {
  check_state(pressure_psia, temperature_f, z, "gas_fvf");
  return kStandardPressurePsia / kStandardTemperatureR * z *
         units::fahrenheit_to_rankine(temperature_f) / pressure_psia;
}

double gas_density_lbm_ft3(double pressure_psia, double temperature_f, double z,
                           double gravity) {
  check_state(pressure_psia, temperature_f, z, "gas_density_lbm_ft3");
  return pressure_psia * gas_molar_mass(gravity) /
         (z * kGasConstantField * units::fahrenheit_to_rankine(temperature_f));
}

}  // namespace pipecorr::fluids
