#include "fluids/oil_viscosity.hpp"

#include <algorithm>
#include <cmath>

#include "fluids/input_checks.hpp"
#include "fluids/standard_conditions.hpp"

namespace pipecorr::fluids {
namespace {

void check_dead(double t, double api, const char* function) {
  detail::check_temperature_f(t, function);
  detail::check_api(api, function);
}

void check_live(double dead_cp, double rs, const char* function) {
  detail::require_positive(dead_cp, function, "dead-oil viscosity (cP)");
  detail::check_solution_gor(rs, function);
}

// 10^(y T^-1.163) - 1, the arguments checked.
double beggs_robinson_dead(double t, double y) {
  const double x = y * std::pow(t, -1.163);
  return std::pow(10.0, x) - 1.0;
}

}  // namespace

double beggs_robinson_dead_oil_viscosity_cp(double temperature_f, double api) {
  check_dead(temperature_f, api, "beggs_robinson_dead_oil_viscosity_cp");
  return beggs_robinson_dead(temperature_f, beggs_robinson_dead_oil_scale(api));
}

double beggs_robinson_dead_oil_scale(double api) {
  detail::check_api(api, "beggs_robinson_dead_oil_scale");
  return std::pow(10.0, 3.0324 - 0.02023 * api);
}

double beggs_robinson_dead_oil_viscosity_with(double temperature_f,
                                              double scale) {
  constexpr const char* kName = "beggs_robinson_dead_oil_viscosity_with";
  detail::check_temperature_f(temperature_f, kName);
  // Wider than the scales of the oils the module takes (about 10.2 at 100
  // API to 853 at 5 API), narrow enough to keep 10^x finite.
  detail::require_within(scale, 1.0, 1000.0, kName, "scale");
  return beggs_robinson_dead(temperature_f, scale);
}

double glaso_dead_oil_viscosity_cp(double temperature_f, double api) {
  check_dead(temperature_f, api, "glaso_dead_oil_viscosity_cp");
  const double a = 10.313 * std::log10(temperature_f) - 36.447;
  return 3.141e10 * std::pow(temperature_f, -3.444) *
         std::pow(std::log10(api), a);
}

double beggs_robinson_live_oil_viscosity_cp(double dead_oil_cp,
                                            double solution_gor) {
  check_live(dead_oil_cp, solution_gor, "beggs_robinson_live_oil_viscosity_cp");
  const double a = 10.715 * std::pow(solution_gor + 100.0, -0.515);
  const double b = 5.44 * std::pow(solution_gor + 150.0, -0.338);
  return a * std::pow(dead_oil_cp, b);
}

double chew_connally_live_oil_viscosity_cp(double dead_oil_cp,
                                           double solution_gor) {
  constexpr const char* kName = "chew_connally_live_oil_viscosity_cp";
  check_live(dead_oil_cp, solution_gor, kName);
  // Past its data the fitted exponent turns upward and soon overflows.
  detail::require_within(solution_gor, 0.0, kChewConnallyMaxSolutionGor, kName,
                         "solution GOR (scf/STB)");
  const double rs = solution_gor;
  const double a = std::pow(10.0, rs * (2.2e-7 * rs - 7.4e-4));
  const double b = 0.68 / std::pow(10.0, 8.62e-5 * rs) +
                   0.25 / std::pow(10.0, 1.1e-3 * rs) +
                   0.062 / std::pow(10.0, 3.74e-3 * rs);
  return a * std::pow(dead_oil_cp, b);
}

double vasquez_beggs_undersaturated_oil_viscosity_cp(double bubble_point_cp,
                                                     double pressure_psia,
                                                     double bubble_point_psia) {
  constexpr const char* kName = "vasquez_beggs_undersaturated_oil_viscosity_cp";
  detail::require_positive(bubble_point_cp, kName,
                           "bubble-point viscosity (cP)");
  detail::check_pressure_psia(pressure_psia, kName);
  detail::require_within(bubble_point_psia, 0.0, domain::kMaxPressurePsia,
                         kName, "bubble point (psia)");
  const double pb = std::max(bubble_point_psia, kStandardPressurePsia);
  const double p = std::max(pressure_psia, kStandardPressurePsia);
  if (p <= pb) return bubble_point_cp;
  const double m = 2.6 * std::pow(p, 1.187) * std::exp(-11.513 - 8.98e-5 * p);
  return bubble_point_cp * std::pow(p / pb, m);
}

double beal_undersaturated_oil_viscosity_cp(double bubble_point_cp,
                                            double pressure_psia,
                                            double bubble_point_psia) {
  constexpr const char* kName = "beal_undersaturated_oil_viscosity_cp";
  detail::require_positive(bubble_point_cp, kName,
                           "bubble-point viscosity (cP)");
  detail::check_pressure_psia(pressure_psia, kName);
  detail::require_within(bubble_point_psia, 0.0, domain::kMaxPressurePsia,
                         kName, "bubble point (psia)");
  if (pressure_psia <= bubble_point_psia) return bubble_point_cp;
  const double mu = bubble_point_cp;
  return mu + 1e-3 * (pressure_psia - bubble_point_psia) *
                  (0.024 * std::pow(mu, 1.6) + 0.038 * std::pow(mu, 0.56));
}

double undersaturated_oil_viscosity_cp(double bubble_point_cp,
                                       double pressure_psia,
                                       double bubble_point_psia) {
  return bubble_point_psia >= kVasquezBeggsMinBubblePointPsia
             ? vasquez_beggs_undersaturated_oil_viscosity_cp(
                   bubble_point_cp, pressure_psia, bubble_point_psia)
             : beal_undersaturated_oil_viscosity_cp(
                   bubble_point_cp, pressure_psia, bubble_point_psia);
}

}  // namespace pipecorr::fluids
