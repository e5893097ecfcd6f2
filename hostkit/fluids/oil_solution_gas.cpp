#include "fluids/oil_solution_gas.hpp"

#include <cmath>

#include "fluids/input_checks.hpp"

namespace pipecorr::fluids {
namespace {

void check_oil(double t, double api, double gg, const char* function) {
  detail::check_temperature_f(t, function);
  detail::check_api(api, function);
  detail::check_gas_gravity(gg, function);
}

// Standing's 10^(0.0125 API - 0.00091 T).
double standing_factor(double t, double api) {
  return std::pow(10.0, 0.0125 * api - 0.00091 * t);
}

struct VasquezBeggsCoefficients {
  double c1, c2, c3;
};

VasquezBeggsCoefficients vasquez_beggs_coefficients(double api) {
  return api <= 30.0 ? VasquezBeggsCoefficients{0.0362, 1.0937, 25.7240}
                     : VasquezBeggsCoefficients{0.0178, 1.1870, 23.9310};
}

// c1 gg exp(c3 API / T_R): the Rs of 1 psia raised to c2.
double vasquez_beggs_scale(const VasquezBeggsCoefficients& c, double t,
                           double api, double gg) {
  return c.c1 * gg * std::exp(c.c3 * api / (t + 459.67));
}

}  // namespace

double standing_solution_gor(double pressure_psia, double temperature_f,
                             double api, double gas_gravity) {
  check_oil(temperature_f, api, gas_gravity, "standing_solution_gor");
  detail::check_pressure_psia(pressure_psia, "standing_solution_gor");
  return gas_gravity *
         std::pow(pressure_psia / 18.0 * standing_factor(temperature_f, api),
                  1.0 / 0.83);
}

double standing_bubble_point(double solution_gor, double temperature_f,
                             double api, double gas_gravity) {
  check_oil(temperature_f, api, gas_gravity, "standing_bubble_point");
  detail::check_solution_gor(solution_gor, "standing_bubble_point");
  return 18.0 * std::pow(solution_gor / gas_gravity, 0.83) /
         standing_factor(temperature_f, api);
}

double vasquez_beggs_solution_gor(double pressure_psia, double temperature_f,
                                  double api, double separator_gas_gravity) {
  check_oil(temperature_f, api, separator_gas_gravity,
            "vasquez_beggs_solution_gor");
  detail::check_pressure_psia(pressure_psia, "vasquez_beggs_solution_gor");
  const VasquezBeggsCoefficients c = vasquez_beggs_coefficients(api);
  return vasquez_beggs_scale(c, temperature_f, api, separator_gas_gravity) *
         std::pow(pressure_psia, c.c2);
}

double vasquez_beggs_bubble_point(double solution_gor, double temperature_f,
                                  double api, double separator_gas_gravity) {
  check_oil(temperature_f, api, separator_gas_gravity,
            "vasquez_beggs_bubble_point");
  detail::check_solution_gor(solution_gor, "vasquez_beggs_bubble_point");
  const VasquezBeggsCoefficients c = vasquez_beggs_coefficients(api);
  return std::pow(solution_gor / vasquez_beggs_scale(c, temperature_f, api,
                                                     separator_gas_gravity),
                  1.0 / c.c2);
}

double vasquez_beggs_separator_gravity(double gas_gravity, double api,
                                       double separator_temperature_f,
                                       double separator_pressure_psia) {
  constexpr const char* kName = "vasquez_beggs_separator_gravity";
  check_oil(separator_temperature_f, api, gas_gravity, kName);
  detail::check_pressure_psia(separator_pressure_psia, kName);
  const double corrected =
      gas_gravity * (1.0 + 5.912e-5 * api * separator_temperature_f *
                               std::log10(separator_pressure_psia / 114.7));
  // A separator far below atmospheric pressure would push the gravity out
  // of any gas's range.
  detail::check_gas_gravity(corrected, kName);
  return corrected;
}

}  // namespace pipecorr::fluids
