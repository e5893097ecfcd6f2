#include "fluids/water.hpp"

#include <algorithm>
#include <cmath>

#include "fluids/input_checks.hpp"
#include "fluids/standard_conditions.hpp"

namespace pipecorr::fluids {
namespace {

constexpr double kMaxSalinity = 26.0;
constexpr double kFitMaxPressurePsia = 5000.0;

void check_water_gravity(double gw, const char* function) {
  detail::require_within(gw, domain::kMinWaterGravity, domain::kMaxWaterGravity,
                         function, "water gravity");
}

}  // namespace

double water_salinity_from_gravity(double water_gravity) {
  check_water_gravity(water_gravity, "water_salinity_from_gravity");
  // Solve 1.60074e-3 S² + 0.438603 S - (rho - 62.368) = 0 for S >= 0.
  const double excess = kWaterDensityStandardLbmFt3 * (water_gravity - 1.0);
  if (excess <= 0.0) return 0.0;
  constexpr double a = 1.60074e-3;
  constexpr double b = 0.438603;
  // The root written without cancellation: 2c / (b + sqrt(b² + 4ac)).
  const double s = 2.0 * excess / (b + std::sqrt(b * b + 4.0 * a * excess));
  return std::min(s, kMaxSalinity);
}

double mccain_water_fvf(double pressure_psia, double temperature_f) {
  detail::check_pressure_psia(pressure_psia, "mccain_water_fvf");
  detail::check_temperature_f(temperature_f, "mccain_water_fvf");
  const double t = temperature_f;
  const double dv_t = -1.0001e-2 + 1.33391e-4 * t + 5.50654e-7 * t * t;
  // Past the fit's 5000 psia its p² terms would make water ever more
  // compressible; it goes on along its tangent there instead.
  const double p = std::min(pressure_psia, kFitMaxPressurePsia);
  const double dv_p = -1.95301e-9 * p * t - 1.72834e-13 * p * p * t -
                      3.58922e-7 * p - 2.25341e-10 * p * p;
  const double slope = -1.95301e-9 * t - 2.0 * 1.72834e-13 * p * t -
                       3.58922e-7 - 2.0 * 2.25341e-10 * p;
  return (1.0 + dv_p + slope * (pressure_psia - p)) * (1.0 + dv_t);
}

double water_density_lbm_ft3(double water_gravity, double water_fvf) {
  check_water_gravity(water_gravity, "water_density_lbm_ft3");
  detail::require_within(water_fvf, 0.5, 2.0, "water_density_lbm_ft3", "Bw");
  return kWaterDensityStandardLbmFt3 * water_gravity / water_fvf;
}

double mccain_water_viscosity_cp(double pressure_psia, double temperature_f,
                                 double salinity_wt_pct) {
  constexpr const char* kName = "mccain_water_viscosity_cp";
  detail::check_pressure_psia(pressure_psia, kName);
  detail::check_temperature_f(temperature_f, kName);
  detail::require_within(salinity_wt_pct, 0.0, kMaxSalinity, kName,
                         "salinity (wt %)");
  const double s = salinity_wt_pct;
  const double a = 109.574 - s * (8.40564 - s * (0.313314 + s * 8.72213e-3));
  const double b =
      1.12166 -
      s * (2.63951e-2 - s * (6.79461e-4 + s * (5.47119e-5 - s * 1.55586e-6)));
  const double p = pressure_psia;
  const double pressure_factor = 0.9994 + 4.0295e-5 * p + 3.1062e-9 * p * p;
  return a * std::pow(temperature_f, -b) * pressure_factor;
}

}  // namespace pipecorr::fluids
