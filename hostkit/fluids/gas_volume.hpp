// Volume and density of a gas at pressure and temperature, from its Z
// factor; standard conditions as in standard_conditions.hpp (Z = 1 there).
#pragma once

namespace pipecorr::fluids {

// Molar mass, g/mol (= lbm/lbmol), of a gas of specific gravity `gravity`
// (air = 1). Throws InputError outside gravity 0.55..3.
double gas_molar_mass(double gravity);

// Gas formation volume factor Bg, ft³ at p and T per scf (the same number
// as m³ per standard m³): Bg = (p_sc / T_sc) Z T / p. Pressure in psia,
// temperature in °F, z > 0. Throws InputError outside the domain.
double gas_fvf(double pressure_psia, double temperature_f, double z);

// In-situ gas density, lbm/ft³: p M / (Z R T). Pressure in psia,
// temperature in °F, z > 0, gravity air = 1.
double gas_density_lbm_ft3(double pressure_psia, double temperature_f, double z,
                           double gravity);

}  // namespace pipecorr::fluids
