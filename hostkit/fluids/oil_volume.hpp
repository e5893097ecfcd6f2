// Oil formation volume factor, above and below the bubble point, and the
// in-situ oil density that goes with it.
//
// Common arguments: pressure in psia (absolute), temperature in °F, oil
// gravity in °API, gas gravity air = 1, solution GOR Rs in scf/STB; Bo in
// bbl at p and T per STB. Each throws InputError outside the module's domain
// (domain.hpp).
#pragma once

namespace pipecorr::fluids {

// Specific gravity of the stock-tank oil (water = 1): 141.5 / (131.5 + API).
double stock_tank_oil_gravity(double api);

// Standing (1947) Bo of saturated oil: 0.9759 + 0.00012 (Rs (gg/go)^0.5 +
// 1.25 T)^1.2; fitted at 100-258 °F, Rs 20-1425 scf/STB, Bo 1.024-2.15.
double standing_oil_fvf(double solution_gor, double temperature_f, double api,
                        double gas_gravity);

// Vasquez & Beggs (1980) Bo of saturated oil, with the gas gravity referred
// to a 100 psig separator; ranges as for their solution GOR.
double vasquez_beggs_oil_fvf(double solution_gor, double temperature_f,
                             double api, double separator_gas_gravity);

// Vasquez & Beggs (1980) isothermal compressibility of undersaturated oil,
// 1/psi: (-1433 + 5 Rsb + 17.2 T - 1180 ggs + 12.61 API) / (1e5 p), fitted
// at 126-9500 psia. A negative numerator (cold, nearly dead oil, far outside
// the data) is taken as zero: an oil does not swell under pressure.
double vasquez_beggs_oil_compressibility(double pressure_psia,
                                         double bubble_point_gor,
                                         double temperature_f, double api,
                                         double separator_gas_gravity);

// Bo of undersaturated oil at p >= pb: the bubble-point Bo `bubble_fvf`
// shrunk by the Vasquez-Beggs compressibility integrated from pb to p,
// Bob (pb / p)^A. Both pressures are taken as at least standard pressure, so
// a dead oil (pb -> 0) keeps its stock-tank volume instead of vanishing.
// Equals bubble_fvf at p <= pb.
double undersaturated_oil_fvf(double bubble_fvf, double pressure_psia,
                              double bubble_point_psia, double bubble_point_gor,
                              double temperature_f, double api,
                              double separator_gas_gravity);

// In-situ density of oil holding Rs, lbm/ft³: the mass of one STB and of
// its dissolved gas (standard densities of standard_conditions.hpp) over its
// volume Bo. Conserves mass exactly with the surface rates.
double live_oil_density_lbm_ft3(double solution_gor, double oil_fvf, double api,
                                double gas_gravity);

}  // namespace pipecorr::fluids
