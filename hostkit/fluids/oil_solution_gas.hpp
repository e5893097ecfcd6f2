// Gas in solution in a black oil and its bubble point. Each pair is exactly
// inverse: the bubble point of the solution GOR at p is p again (to
// rounding), which keeps properties continuous across the bubble point.
//
// Common arguments: pressure in psia (absolute), temperature in °F, oil
// gravity in °API, gas gravity air = 1, solution GOR Rs in scf/STB.
// Each throws InputError outside the module's domain (domain.hpp).
#pragma once

namespace pipecorr::fluids {

// Standing (1947), California crudes: pb 130-7000 psia, 100-258 °F,
// Rs 20-1425 scf/STB, 16.5-63.8 °API, gas gravity 0.59-0.95. The form
// pb = 18 (Rs/gg)^0.83 10^(0.00091 T - 0.0125 API), with Rs = 0 at p = 0;
// the later refit with 18.2 and -1.4 gives a negative bubble point for a
// nearly dead oil. `gas_gravity` is the total surface gas.
double standing_solution_gor(double pressure_psia, double temperature_f,
                             double api, double gas_gravity);
double standing_bubble_point(double solution_gor, double temperature_f,
                             double api, double gas_gravity);

// The same pair for a caller that needs both at one temperature: Standing's
// factor 10^(0.0125 API - 0.00091 T) worked out once and handed to each.
// Each gives exactly what the functions above give.
double standing_factor(double temperature_f, double api);
double standing_solution_gor_with(double pressure_psia, double factor,
                                  double gas_gravity);
double standing_bubble_point_with(double solution_gor, double factor,
                                  double gas_gravity);

// Vasquez & Beggs (1980): about 15-6055 psia, 75-294 °F, 15-59 °API,
// gas gravity 0.51-1.35, Rs 0-2199 scf/STB, coefficients switching at
// 30 °API. `separator_gas_gravity` is the gravity at a separator pressure of
// 100 psig (see vasquez_beggs_separator_gravity).
double vasquez_beggs_solution_gor(double pressure_psia, double temperature_f,
                                  double api, double separator_gas_gravity);
double vasquez_beggs_bubble_point(double solution_gor, double temperature_f,
                                  double api, double separator_gas_gravity);

// Vasquez & Beggs's correction of a gas gravity measured at a separator of
// `separator_pressure_psia` and `separator_temperature_f` to the 100 psig
// (114.7 psia) reference: gg (1 + 5.912e-5 API Tsep log10(psep / 114.7)).
// Unchanged at 114.7 psia.
double vasquez_beggs_separator_gravity(double gas_gravity, double api,
                                       double separator_temperature_f,
                                       double separator_pressure_psia);

}  // namespace pipecorr::fluids
