#include "fluids/surface_tension.hpp"

#include <algorithm>
#include <cmath>

#include "fluids/input_checks.hpp"

namespace pipecorr::fluids {
namespace {

// Linear between (t1, v1) and (t2, v2), constant outside.
double between_lines(double t, double t1, double v1, double t2, double v2) {
  if (t <= t1) return v1;
  if (t >= t2) return v2;
  return v1 + (v2 - v1) * (t - t1) / (t2 - t1);
}

}  // namespace

double baker_swerdloff_dead_oil_tension(double temperature_f, double api) {
  detail::check_temperature_f(temperature_f,
                              "baker_swerdloff_dead_oil_tension");
  detail::check_api(api, "baker_swerdloff_dead_oil_tension");
  const double at68 = 39.0 - 0.2571 * api;
  const double at100 = 37.5 - 0.2571 * api;
  return between_lines(temperature_f, 68.0, at68, 100.0, at100);
}

double baker_swerdloff_live_oil_tension(double dead_oil_dyn_cm,
                                        double pressure_psia) {
  detail::require_within(dead_oil_dyn_cm, 0.0, 100.0,
                         "baker_swerdloff_live_oil_tension",
                         "dead-oil tension (dyn/cm)");
  detail::check_pressure_psia(pressure_psia,
                              "baker_swerdloff_live_oil_tension");
  const double factor = 1.0 - 0.024 * std::pow(pressure_psia, 0.45);
  return std::max(dead_oil_dyn_cm * factor, kMinSurfaceTensionDynCm);
}

double water_gas_tension(double temperature_f, double pressure_psia) {
  detail::check_temperature_f(temperature_f, "water_gas_tension");
  detail::check_pressure_psia(pressure_psia, "water_gas_tension");
  const double at74 = 75.0 - 1.108 * std::pow(pressure_psia, 0.349);
  const double at280 = 53.0 - 0.1048 * std::pow(pressure_psia, 0.637);
  return std::max(between_lines(temperature_f, 74.0, at74, 280.0, at280),
                  kMinSurfaceTensionDynCm);
}

}  // namespace pipecorr::fluids
