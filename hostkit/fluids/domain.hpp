// The inputs every function of the module accepts. Outside these a function
// throws InputError; inside them but outside the data a correlation was
// fitted to (given in each function's comment) it extrapolates. The bounds
// are wide on purpose: they only keep every result finite and meaningful.
#pragma once

namespace pipecorr::fluids::domain {

// Absolute pressure, psia: above vacuum, below any well's pressure.
inline constexpr double kMinPressurePsia = 0.0;  // exclusive
inline constexpr double kMaxPressurePsia = 50000.0;

// Temperature, °F: the liquid correlations have no meaning below freezing,
// and several raise °F to negative powers.
inline constexpr double kMinTemperatureF = 32.0;
inline constexpr double kMaxTemperatureF = 1000.0;
inline constexpr double kMinTemperatureR = kMinTemperatureF + 459.67;
inline constexpr double kMaxTemperatureR = kMaxTemperatureF + 459.67;

// Stock-tank oil gravity, °API.
inline constexpr double kMinApi = 5.0;
inline constexpr double kMaxApi = 100.0;

// Gas specific gravity (air = 1): methane is 0.554.
inline constexpr double kMinGasGravity = 0.55;
inline constexpr double kMaxGasGravity = 3.0;

// Water specific gravity (pure water at standard conditions = 1).
inline constexpr double kMinWaterGravity = 0.9;
inline constexpr double kMaxWaterGravity = 1.5;

// Solution gas-oil ratio, scf/STB.
inline constexpr double kMaxSolutionGor = 100000.0;

// Pseudo-reduced temperature and pressure of the Z-factor methods.
inline constexpr double kMaxReducedTemperature = 100.0;  // above 0
inline constexpr double kMaxReducedPressure = 200.0;     // from 0

}  // namespace pipecorr::fluids::domain
