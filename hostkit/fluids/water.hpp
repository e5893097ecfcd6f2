// Produced water (brine): formation volume factor, density and viscosity,
// after McCain (1990, The Properties of Petroleum Fluids, 2nd ed.; 1991,
// SPE Reservoir Engineering). Gas dissolved in the water is neglected.
//
// Pressure in psia (absolute), temperature in °F, water gravity relative
// to pure water at standard conditions, salinity in weight per cent of
// dissolved solids. Each throws InputError outside the module's domain
// (domain.hpp).
#pragma once

namespace pipecorr::fluids {

// Salinity implied by a water's gravity, from McCain's density of brine at
// standard conditions, 62.368 + 0.438603 S + 1.60074e-3 S² lbm/ft³.
// Fresh (0) at gravity 1 or below; held at 26 % (about gravity 1.20,
// saturated NaCl brine and the end of the viscosity fit) above.
double water_salinity_from_gravity(double water_gravity);

// Bw = (1 + dVwp)(1 + dVwt), bbl at p and T per bbl at standard
// conditions; McCain's fit for up to 260 °F and 5000 psia, insensitive to
// salinity. Above 5000 psia it continues along its tangent at 5000 psia
// (a compressibility of about 3e-6 /psi) rather than its quadratic.
double mccain_water_fvf(double pressure_psia, double temperature_f);

// Water density at p and T, lbm/ft³: 62.368 gw / Bw. With Bw = 1 it is
// the standard-condition density.
double water_density_lbm_ft3(double water_gravity, double water_fvf);

// McCain's viscosity at atmospheric pressure, A T^-B with A and B
// polynomials in salinity, times his pressure factor 0.9994 + 4.0295e-5 p +
// 3.1062e-9 p²; cP. Fitted at 100-400 °F and salinities to 26 %, the
// pressure factor at 86.5-167 °F up to 14000 psia.
double mccain_water_viscosity_cp(double pressure_psia, double temperature_f,
                                 double salinity_wt_pct);

}  // namespace pipecorr::fluids
