// What every well correlation receives and returns: one calculation point
// in the host's SI units, exactly as the 19-word double-precision entry
// hands it over, and a value-typed outcome that the entries turn into the
// host's outputs. The cores never see pointers or padded texts.
#pragma once

#include <cstdint>
#include <string_view>

#include "pipecorr/pipecorr.h"

namespace pipecorr::wells {

struct WellPoint {
  double usl = 0.0;    // superficial liquid velocity, m/s
  double usg = 0.0;    // superficial gas velocity, m/s
  double rol = 0.0;    // liquid density, kg/m3
  double rog = 0.0;    // gas density, kg/m3
  double visl = 0.0;   // liquid viscosity, Pa s
  double visg = 0.0;   // gas viscosity, Pa s
  double eps = 0.0;    // absolute wall roughness, m
  double sigma = 0.0;  // gas-liquid surface tension, N/m
  double diam = 0.0;   // inside diameter, m
  double fi = 0.0;     // inclination, degrees from horizontal, + uphill
  double p = 0.0;      // pressure, Pa
};

// A correlation's answer. On success `reason` is empty and dp, holdup and
// pattern are the host's outputs; the parts are for the trace. On failure
// `reason` says why (it follows "Unable to calculate flow regime: " in the
// host's message) and the numbers are not read.
struct WellOutcome {
  double dp = 0.0;      // Pa/m, positive when pressure falls along flow
  double holdup = 0.0;  // liquid holdup, fraction
  std::int32_t pattern = PIPECORR_PATTERN_NONE;
  double friction = 0.0;    // friction part of dp, Pa/m
  double elevation = 0.0;   // elevation part of dp, Pa/m
  std::string_view reason;  // static text; empty on success

  [[nodiscard]] bool ok() const noexcept { return reason.empty(); }
};

[[nodiscard]] inline WellOutcome failure(std::string_view reason) noexcept {
  WellOutcome out;
  out.reason = reason;
  return out;
}

}  // namespace pipecorr::wells
