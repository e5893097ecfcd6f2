// The standard conditions every "standard" or "stock-tank" quantity of the
// module refers to, and the densities at them that tie surface rates to
// in-situ mass: one definition, so that mass balances close.
#pragma once

#include "numbers/unit_factors.hpp"

namespace pipecorr::fluids {

// 60 °F and 14.696 psia: the oilfield convention for STB and scf.
inline constexpr double kStandardPressurePsia = 14.696;
inline constexpr double kStandardTemperatureF = 60.0;
inline constexpr double kStandardTemperatureR =
    units::fahrenheit_to_rankine(kStandardTemperatureF);
inline constexpr double kStandardPressurePa =
    units::psia_to_pa(kStandardPressurePsia);
inline constexpr double kStandardTemperatureK =
    units::fahrenheit_to_kelvin(kStandardTemperatureF);

// Molar mass of air (g/mol = lbm/lbmol); a gas of gravity g has 28.9647 g.
inline constexpr double kAirMolarMass = 28.9647;
// Universal gas constant, J/(mol K), and in psia ft³/(lbmol °R).
inline constexpr double kGasConstantSi = 8.314462618;
inline constexpr double kGasConstantField =
    kGasConstantSi / units::kPascalsPerPsi / units::kCubicMetresPerCubicFoot *
    units::kKilogramsPerPound * 1e3 / 1.8;

// Air as an ideal gas at standard conditions (Z = 1), kg/m³: the density of
// one standard m³ of gas of gravity 1, dissolved or free.
inline constexpr double kAirDensityStandard =
    kStandardPressurePa * kAirMolarMass * 1e-3 /
    (kGasConstantSi * kStandardTemperatureK);

// Pure water at standard conditions, 62.368 lbm/ft³ (McCain, 1990): the
// reference of stock-tank oil and water specific gravities.
inline constexpr double kWaterDensityStandardLbmFt3 = 62.368;
inline constexpr double kWaterDensityStandard =
    units::lbm_ft3_to_kg_m3(kWaterDensityStandardLbmFt3);

}  // namespace pipecorr::fluids
