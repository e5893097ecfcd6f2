// The domain checks the correlations share (bounds in domain.hpp).
#pragma once

#include "fluids/domain.hpp"
#include "fluids/fluid_error.hpp"

namespace pipecorr::fluids::detail {

inline void check_pressure_psia(double p, const char* function) {
  require_above(p, domain::kMinPressurePsia, domain::kMaxPressurePsia, function,
                "pressure (psia)");
}

inline void check_temperature_f(double t, const char* function) {
  require_within(t, domain::kMinTemperatureF, domain::kMaxTemperatureF,
                 function, "temperature (degF)");
}

inline void check_temperature_r(double t, const char* function) {
  require_within(t, domain::kMinTemperatureR, domain::kMaxTemperatureR,
                 function, "temperature (degR)");
}

inline void check_api(double api, const char* function) {
  require_within(api, domain::kMinApi, domain::kMaxApi, function,
                 "oil gravity (API)");
}

inline void check_gas_gravity(double gravity, const char* function) {
  require_within(gravity, domain::kMinGasGravity, domain::kMaxGasGravity,
                 function, "gas gravity");
}

inline void check_solution_gor(double rs, const char* function) {
  require_within(rs, 0.0, domain::kMaxSolutionGor, function,
                 "solution GOR (scf/STB)");
}

}  // namespace pipecorr::fluids::detail
