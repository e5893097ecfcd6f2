// Gas-liquid surface tension of oil and of water, dyn/cm, from the curve
// fits given in production-engineering texts (Beggs & Brill; Brill &
// Mukherjee, Multiphase Flow in Wells, 1999). Temperature in °F, pressure
// in psia (absolute). Each throws InputError outside the module's domain
// (domain.hpp).
#pragma once

namespace pipecorr::fluids {

// No correlated tension falls below this, dyn/cm: the live-oil correction
// reaches zero near 4000 psia, and the texts hold the tension at 1 there.
inline constexpr double kMinSurfaceTensionDynCm = 1.0;

// Baker & Swerdloff (1956) dead oil: 39 - 0.2571 API at 68 °F and
// 37.5 - 0.2571 API at 100 °F, linear between, and the nearer line outside
// (the data give no trend beyond them).
double baker_swerdloff_dead_oil_tension(double temperature_f, double api);

// Baker & Swerdloff's reduction for gas in solution: the dead-oil tension
// times 1 - 0.024 p^0.45, never below kMinSurfaceTensionDynCm.
double baker_swerdloff_live_oil_tension(double dead_oil_dyn_cm,
                                        double pressure_psia);

// Water against gas, after Hough, Rzasa & Wood (1951): 75 - 1.108 p^0.349
// at 74 °F and 53 - 0.1048 p^0.637 at 280 °F, linear in temperature
// between, the nearer curve outside, never below kMinSurfaceTensionDynCm.
double water_gas_tension(double temperature_f, double pressure_psia);

}  // namespace pipecorr::fluids
