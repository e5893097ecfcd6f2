#include "abi/host_cases.hpp"

#include <array>
#include <limits>

namespace pipecorr::abi {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Fluids: a light oil with gas, and water with gas. Velocities that read as
// round numbers in ft/s (0.3048 m/s = 1 ft/s) put the points where the flow
// map's worked examples are.
constexpr double kOil = 800.9;   // kg/m3, 50 lbm/ft3
constexpr double kWater = 1000;  // kg/m3
constexpr double kGas = 32.0;    // kg/m3, 2 lbm/ft3
constexpr double kOilVisc = 0.001;
constexpr double kGasVisc = 1.5e-5;
constexpr double kSmooth = 4.572e-5;  // m, 0.0018 inch
constexpr double kOilTension = 0.03;
constexpr double kWaterTension = 0.072;
constexpr double kPressure = 5.0e6;

// clang-format off
constexpr std::array kCases{
  //        name                         usl      usg       rol     rog    visl      visg      eps      sigma          diam     fi        p
  HostCase{"intermittent_horizontal",    0.6096,  0.9144,   kOil,   kGas,  kOilVisc, kGasVisc, kSmooth, kOilTension,   0.1524,  0.0,      kPressure},
  HostCase{"intermittent_uphill",        0.3048,  0.3048,   kWater, kGas,  kOilVisc, kGasVisc, kSmooth, kWaterTension, 0.0762,  5.7296,   kPressure},
  HostCase{"intermittent_vertical",      0.5,     1.0,      kWater, kGas,  kOilVisc, kGasVisc, kSmooth, kWaterTension, 0.1,     90.0,     kPressure},
  HostCase{"transition_horizontal",      0.06096, 0.54864,  kOil,   kGas,  kOilVisc, kGasVisc, kSmooth, kOilTension,   0.0381,  0.0,      kPressure},
  HostCase{"transition_uphill",          0.06096, 0.54864,  kOil,   kGas,  kOilVisc, kGasVisc, kSmooth, kOilTension,   0.0381,  11.459,   kPressure},
  HostCase{"transition_downhill",        0.06096, 0.54864,  kOil,   kGas,  kOilVisc, kGasVisc, kSmooth, kOilTension,   0.0381,  -11.459,  kPressure},
  HostCase{"segregated_horizontal",      0.03,    0.3,      kOil,   kGas,  kOilVisc, kGasVisc, kSmooth, kOilTension,   0.3,     0.0,      kPressure},
  HostCase{"segregated_downhill",        0.03,    0.3,      kOil,   kGas,  kOilVisc, kGasVisc, kSmooth, kOilTension,   0.3,     -5.0,     kPressure},
  HostCase{"segregated_little_liquid",   0.001,   0.5,      kOil,   kGas,  kOilVisc, kGasVisc, kSmooth, kOilTension,   0.3,     2.0,      kPressure},
  HostCase{"distributed_high_gas",       0.3048,  30.1752,  kOil,   kGas,  kOilVisc, kGasVisc, kSmooth, kOilTension,   0.1524,  0.0,      kPressure},
  HostCase{"distributed_little_liquid",  0.01,    20.0,     kOil,   kGas,  kOilVisc, kGasVisc, kSmooth, kOilTension,   0.05,    1.0,      kPressure},
  HostCase{"distributed_liquid_only_up", 3.0,     0.0,      kWater, kGas,  kOilVisc, kGasVisc, kSmooth, kWaterTension, 0.05,    10.0,     kPressure},
  HostCase{"distributed_liquid_only_dn", 3.0,     0.0,      kWater, kGas,  kOilVisc, kGasVisc, kSmooth, kWaterTension, 0.05,    -10.0,    kPressure},
  HostCase{"distributed_downhill_wet",   1.2192,  0.3048,   kOil,   kGas,  kOilVisc, kGasVisc, kSmooth, kOilTension,   0.0762,  -11.459,  kPressure},
  // Friction pieces: laminar, the bridge between 2000 and 4000, rough
  // turbulent, and a holdup ratio in the special interval 1 < y < 1.2.
  HostCase{"friction_laminar",           0.005,   0.005,    kWater, kGas,  0.5,      kGasVisc, kSmooth, kWaterTension, 0.02,    0.0,      kPressure},
  HostCase{"friction_bridge",            0.015,   0.015,    kWater, kGas,  kOilVisc, kGasVisc, kSmooth, kWaterTension, 0.1,     0.0,      kPressure},
  HostCase{"friction_rough_turbulent",   1.0,     5.0,      kWater, kGas,  kOilVisc, kGasVisc, 1.0e-3,  kWaterTension, 0.05,    3.0,      kPressure},
  HostCase{"friction_special_ratio",     0.9,     0.1,      kWater, kGas,  kOilVisc, kGasVisc, kSmooth, kWaterTension, 0.05,    0.0,      kPressure},
  HostCase{"pressure_zero",              0.3048,  0.3048,   kWater, kGas,  kOilVisc, kGasVisc, kSmooth, kWaterTension, 0.0762,  5.7296,   0.0},
  // Inputs outside the correlation's domain: each must give a defined,
  // finite result, the same on every platform.
  HostCase{"failure_nan_velocity",       kNaN,    1.0,      kOil,   kGas,  kOilVisc, kGasVisc, kSmooth, kOilTension,   0.1,     0.0,      kPressure},
  HostCase{"failure_infinite_gas",       0.5,     kInf,     kOil,   kGas,  kOilVisc, kGasVisc, kSmooth, kOilTension,   0.1,     0.0,      kPressure},
  HostCase{"failure_no_liquid",          0.0,     1.0,      kOil,   kGas,  kOilVisc, kGasVisc, kSmooth, kOilTension,   0.1,     0.0,      kPressure},
  HostCase{"failure_no_flow",            0.0,     0.0,      kOil,   kGas,  kOilVisc, kGasVisc, kSmooth, kOilTension,   0.1,     0.0,      kPressure},
  HostCase{"failure_zero_diameter",      0.5,     1.0,      kOil,   kGas,  kOilVisc, kGasVisc, kSmooth, kOilTension,   0.0,     0.0,      kPressure},
  HostCase{"failure_negative_gas",       1.0,     -0.5,     kOil,   kGas,  kOilVisc, kGasVisc, kSmooth, kOilTension,   0.1,     0.0,      kPressure},
  HostCase{"failure_zero_tension",       0.5,     1.0,      kOil,   kGas,  kOilVisc, kGasVisc, kSmooth, 0.0,           0.1,     4.0,      kPressure},
};
// clang-format on

}  // namespace

std::span<const HostCase> host_cases() { return kCases; }

}  // namespace pipecorr::abi
