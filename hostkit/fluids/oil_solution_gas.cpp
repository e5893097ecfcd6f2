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

// Standing's pair from its factor, the arguments checked.
double standing_rs(double p, double factor, double gg) {
  return gg * std::pow(p / 18.0 * factor, 1.0 / 0.83);
}
double standing_pb(double rs, double factor, double gg) {
  return 18.0 * std::pow(rs / gg, 0.83) / factor;
}

}  // namespace

double standing_factor(double temperature_f, double api) {
  detail::check_temperature_f(temperature_f, "standing_factor");
  detail::check_api(api, "standing_factor");
  return std::pow(10.0, 0.0125 * api - 0.00091 * temperature_f);
}

double standing_solution_gor_with(double pressure_psia, double factor,
                                  double gas_gravity) {
  constexpr const char* kName = "standing_solution_gor_with";
  detail::check_gas_gravity(gas_gravity, kName);
  detail::check_pressure_psia(pressure_psia, kName);
  detail::require_positive(factor, kName, "Standing factor");
  return standing_rs(pressure_psia, factor, gas_gravity);
}

double standing_bubble_point_with(double solution_gor, double factor,
                                  double gas_gravity) {
  constexpr const char* kName = "standing_bubble_point_with";
  detail::check_gas_gravity(gas_gravity, kName);
  detail::check_solution_gor(solution_gor, kName);
  detail::require_positive(factor, kName, "Standing factor");
  return standing_pb(solution_gor, factor, gas_gravity);
}

double standing_solution_gor(double pressure_psia, double temperature_f,
                             double api, double gas_gravity) {
  check_oil(temperature_f, api, gas_gravity, "standing_solution_gor");
  detail::check_pressure_psia(pressure_psia, "standing_solution_gor");
  return standing_rs(pressure_psia, standing_factor(temperature_f, api),
                     gas_gravity);
}

double standing_bubble_point(double solution_gor, double temperature_f,
                             double api, double gas_gravity) {
  check_oil(temperature_f, api, gas_gravity, "standing_bubble_point");
  detail::check_solution_gor(solution_gor, "standing_bubble_point");
  return standing_pb(solution_gor, standing_factor(temperature_f, api),
                     gas_gravity);
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
