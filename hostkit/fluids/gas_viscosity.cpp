#include "fluids/gas_viscosity.hpp"

#include <cmath>

#include "fluids/input_checks.hpp"

namespace pipecorr::fluids {

double lee_gonzalez_eakin_viscosity_cp(double temperature_r,
                                       double density_g_cm3,
                                       double molar_mass) {
  constexpr const char* kName = "lee_gonzalez_eakin_viscosity_cp";
  detail::check_temperature_r(temperature_r, kName);
  // Far denser than any real gas; the bound keeps exp() finite.
  detail::require_within(density_g_cm3, 0.0, 5.0, kName, "gas density (g/cm3)");
  detail::require_within(molar_mass, 1.0, 100.0, kName, "molar mass (g/mol)");
  const double t = temperature_r;
  const double k = (9.4 + 0.02 * molar_mass) * t * std::sqrt(t) /
                   (209.0 + 19.0 * molar_mass + t);
  const double x = 3.5 + 986.0 / t + 0.01 * molar_mass;
  const double y = 2.4 - 0.2 * x;
  return 1e-4 * k * std::exp(x * std::pow(density_g_cm3, y));
}

}  // namespace pipecorr::fluids
