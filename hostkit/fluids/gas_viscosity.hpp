// Viscosity of a natural gas at pressure and temperature.
#pragma once

namespace pipecorr::fluids {

// Lee, Gonzalez & Eakin (1966), cP, from the temperature in °R, the gas
// density at p and T in g/cm³ and the molar mass in g/mol. Fitted to
// sweet natural gases at 100-340 °F and 100-8000 psia (molar mass about
// 16-45 g/mol). Throws InputError for a temperature outside
// 491.67-1459.67 °R, a density outside 0..5 g/cm³, or a molar mass
// outside 1..100.
double lee_gonzalez_eakin_viscosity_cp(double temperature_r,
                                       double density_g_cm3, double molar_mass);

}  // namespace pipecorr::fluids
