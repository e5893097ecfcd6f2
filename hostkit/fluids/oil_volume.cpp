#include "fluids/oil_volume.hpp"

#include <algorithm>
#include <cmath>

#include "fluids/input_checks.hpp"
#include "fluids/standard_conditions.hpp"
#include "numbers/unit_factors.hpp"

namespace pipecorr::fluids {
namespace {

void check_oil(double rs, double t, double api, double gg,
               const char* function) {
  detail::check_solution_gor(rs, function);
  detail::check_temperature_f(t, function);
  detail::check_api(api, function);
  detail::check_gas_gravity(gg, function);
}

// A (dimensionless) of Bo = Bob (pb / p)^A: the Vasquez-Beggs numerator over
// 1e5, never negative.
double compressibility_exponent(double rsb, double t, double api, double ggs) {
  const double numerator =
      -1433.0 + 5.0 * rsb + 17.2 * t - 1180.0 * ggs + 12.61 * api;
  return std::max(numerator, 0.0) * 1e-5;
}

}  // namespace

double stock_tank_oil_gravity(double api) {
  detail::check_api(api, "stock_tank_oil_gravity");
  return 141.5 / (131.5 + api);
}

double standing_oil_fvf(double solution_gor, double temperature_f, double api,
                        double gas_gravity) {
  check_oil(solution_gor, temperature_f, api, gas_gravity, "standing_oil_fvf");
  const double go = stock_tank_oil_gravity(api);
  const double x =
      solution_gor * std::sqrt(gas_gravity / go) + 1.25 * temperature_f;
  return 0.9759 + 0.00012 * std::pow(x, 1.2);
}

double vasquez_beggs_oil_fvf(double solution_gor, double temperature_f,
                             double api, double separator_gas_gravity) {
  check_oil(solution_gor, temperature_f, api, separator_gas_gravity,
            "vasquez_beggs_oil_fvf");
  const bool heavy = api <= 30.0;
  const double c1 = heavy ? 4.677e-4 : 4.670e-4;
  const double c2 = heavy ? 1.751e-5 : 1.100e-5;
  const double c3 = heavy ? -1.811e-8 : 1.337e-9;
  const double f = (temperature_f - 60.0) * api / separator_gas_gravity;
  return 1.0 + c1 * solution_gor + c2 * f + c3 * solution_gor * f;
}

double vasquez_beggs_oil_compressibility(double pressure_psia,
                                         double bubble_point_gor,
                                         double temperature_f, double api,
                                         double separator_gas_gravity) {
  constexpr const char* kName = "vasquez_beggs_oil_compressibility";
  check_oil(bubble_point_gor, temperature_f, api, separator_gas_gravity, kName);
  detail::check_pressure_psia(pressure_psia, kName);
  return compressibility_exponent(bubble_point_gor, temperature_f, api,
                                  separator_gas_gravity) /
         pressure_psia;
}

double undersaturated_oil_fvf(double bubble_fvf, double pressure_psia,
                              double bubble_point_psia, double bubble_point_gor,
                              double temperature_f, double api,
                              double separator_gas_gravity) {
  constexpr const char* kName = "undersaturated_oil_fvf";
  check_oil(bubble_point_gor, temperature_f, api, separator_gas_gravity, kName);
  detail::require_above(bubble_fvf, 0.0, 1000.0, kName, "bubble-point Bo");
  detail::check_pressure_psia(pressure_psia, kName);
  detail::require_within(bubble_point_psia, 0.0, domain::kMaxPressurePsia,
                         kName, "bubble point (psia)");
  const double pb = std::max(bubble_point_psia, kStandardPressurePsia);
  const double p = std::max(pressure_psia, kStandardPressurePsia);
  if (p <= pb) return bubble_fvf;
  const double a = compressibility_exponent(bubble_point_gor, temperature_f,
                                            api, separator_gas_gravity);
  return bubble_fvf * std::pow(pb / p, a);
}

double live_oil_density_lbm_ft3(double solution_gor, double oil_fvf, double api,
                                double gas_gravity) {
  constexpr const char* kName = "live_oil_density_lbm_ft3";
  detail::check_solution_gor(solution_gor, kName);
  detail::check_gas_gravity(gas_gravity, kName);
  detail::require_above(oil_fvf, 0.0, 1000.0, kName, "Bo");
  // lbm of one STB of oil and of its dissolved gas, per ft³ of STB.
  const double oil = kWaterDensityStandardLbmFt3 * stock_tank_oil_gravity(api);
  const double gas = units::kg_m3_to_lbm_ft3(kAirDensityStandard) *
                     gas_gravity * solution_gor / units::kCubicFeetPerBarrel;
  return (oil + gas) / oil_fvf;
}

}  // namespace pipecorr::fluids
