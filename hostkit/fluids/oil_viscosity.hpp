// Oil viscosity: dead (gas-free) oil at temperature, saturated oil holding
// its solution gas, and undersaturated oil above the bubble point.
//
// Temperature in °F, oil gravity in °API, solution GOR Rs in scf/STB,
// pressure in psia (absolute), viscosities in cP. Each throws InputError
// outside the module's domain (domain.hpp) or for a viscosity that is not
// positive and finite.
#pragma once

namespace pipecorr::fluids {

// Beggs & Robinson (1975): 10^X - 1 with X = 10^(3.0324 - 0.02023 API)
// T^-1.163; fitted at 16-58 °API and 70-295 °F.
double beggs_robinson_dead_oil_viscosity_cp(double temperature_f, double api);
// The same in two parts, for a fluid that works out its gravity's part once:
// the scale 10^(3.0324 - 0.02023 API), then 10^(scale T^-1.163) - 1.
double beggs_robinson_dead_oil_scale(double api);
double beggs_robinson_dead_oil_viscosity_with(double temperature_f,
                                              double scale);

// Glaso (1980): 3.141e10 T^-3.444 (log10 API)^(10.313 log10 T - 36.447);
// fitted to North Sea crudes at 50-300 °F and 20-48 °API.
double glaso_dead_oil_viscosity_cp(double temperature_f, double api);

// Beggs & Robinson (1975) saturated oil, A mu_od^B with A = 10.715
// (Rs + 100)^-0.515 and B = 5.44 (Rs + 150)^-0.338; fitted at Rs
// 20-2070 scf/STB.
double beggs_robinson_live_oil_viscosity_cp(double dead_oil_cp,
                                            double solution_gor);

// Chew & Connally (1959) saturated oil in Standing's (1981) equation form,
// 10^(Rs (2.2e-7 Rs - 7.4e-4)) mu_od^b; the data span Rs up to about
// 3500 scf/STB, dead-oil viscosities of 0.4-50 cP and 72-292 °F. Beyond
// that GOR the fitted exponent turns upward (a live oil more viscous than its
// dead oil), so a larger Rs throws InputError.
inline constexpr double kChewConnallyMaxSolutionGor = 3500.0;
double chew_connally_live_oil_viscosity_cp(double dead_oil_cp,
                                           double solution_gor);

// Vasquez & Beggs (1980) undersaturated oil, mu_ob (p / pb)^m with
// m = 2.6 p^1.187 exp(-11.513 - 8.98e-5 p); fitted at 141-9515 psia, to
// oils whose bubble points lie in that range. Both pressures are taken as
// at least standard pressure; equals mu_ob at p <= pb. Below its data the
// power of p / pb runs away (a dead oil with pb at 14.7 psia would be 2.4
// times as viscous at 2000 psia): see undersaturated_oil_viscosity_cp.
double vasquez_beggs_undersaturated_oil_viscosity_cp(double bubble_point_cp,
                                                     double pressure_psia,
                                                     double bubble_point_psia);

// Beal (1946) undersaturated oil in Standing's (1981) equation form,
// mu_ob + 0.001 (p - pb) (0.024 mu_ob^1.6 + 0.038 mu_ob^0.56): a rise
// linear in the pressure above the bubble point, read from Beal's chart of
// oils to 5500 psia that includes dead and gas-poor oils. Equals mu_ob at
// p <= pb.
double beal_undersaturated_oil_viscosity_cp(double bubble_point_cp,
                                            double pressure_psia,
                                            double bubble_point_psia);

// The undersaturated viscosity the black-oil model uses: Vasquez & Beggs
// for bubble points inside its data (at least 141 psia), Beal's correction
// for dead and gas-poor oils whose bubble point lies below. The two differ
// at the 141 psia bubble point (by about 45 % for a 1 cP oil at 2000 psia),
// as two fits of different data do.
inline constexpr double kVasquezBeggsMinBubblePointPsia = 141.0;
double undersaturated_oil_viscosity_cp(double bubble_point_cp,
                                       double pressure_psia,
                                       double bubble_point_psia);

}  // namespace pipecorr::fluids
