// Forcing the host's flow conditions into the ranges the engine accepts.
#pragma once

#include <optional>

#include "entry/host_inputs.hpp"

namespace pipecorr::orba {

// Screened flow conditions, in the host's units.
struct ScreenedInputs {
  double usl;
  double usg;
  double rol;
  double rog;
  double visl;
  double visg;
  double sigma;
  double diam;
  double fi;
  double eps;
};

// The host's argument list; its pressure is traced only: the engine takes
// none.
using entry::HostInputs;

struct Range {
  double lower;
  double upper;
};

inline constexpr Range kUslRange{1e-06, 100.0};
inline constexpr Range kUsgRange{1e-06, 300.0};
inline constexpr Range kRolRange{100.0, 15000.0};
inline constexpr Range kRogRange{0.001, 1000.0};
inline constexpr Range kVislRange{1e-06, 10.0};
inline constexpr Range kVisgRange{1e-07, 0.01};
inline constexpr Range kSigmaRange{0.001, 0.1};
inline constexpr Range kDiamRange{0.0001, 10.0};
inline constexpr Range kFiRange{-89.99, 89.99};
inline constexpr Range kEpsRange{0.0, 0.1};

// The engine is not fed more liquid than this many times the gas velocity.
inline constexpr double kLiquidToGasLimit = 9998.0;

// At or below the lower bound gives the lower bound; then at or above the
// upper bound gives the upper bound. Infinities clamp like any value; a NaN
// passes through.
double clamp_to_range(double value, Range range) noexcept;

// The ten clamps, then the liquid-velocity limit. Empty when one of the ten
// inputs is NaN: such an input has no place in any range.
std::optional<ScreenedInputs> screen(const HostInputs& in) noexcept;

}  // namespace pipecorr::orba
