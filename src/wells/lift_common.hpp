// What the three empirical vertical-lift correlations (Hagedorn & Brown,
// Duns & Ros, Gray) share: the screening of a point, the single-phase
// answer (single_phase.hpp, checked here), the field units their charts
// are drawn in, and the last check that a result is finite. Their wall
// friction is wall_friction.hpp's.
//
// Screening, in this order (the first that applies is the reason):
//   "an input is not a finite number", "superficial velocities must not be
//   negative", "superficial velocities must not both be zero" (a static
//   column has no flow for these correlations to describe), "pipe diameter
//   must be positive", "pipe roughness must not be negative", "inclination
//   must lie between -90 and 90 degrees", "liquid density must be positive"
//   (liquid present), "gas density must be positive" (gas present),
//   "liquid viscosity must be positive" (liquid present), "gas viscosity
//   must be positive" (gas present), and for two-phase points "liquid
//   density must exceed gas density", "surface tension must be positive",
//   and where the correlation reads it "pressure must be positive".
// A density or viscosity of an absent phase is not read.
#pragma once

#include <optional>

#include "wells/flow_basics.hpp"
#include "wells/well_point.hpp"

namespace pipecorr::wells::lift {

using wells::kGravity;  // m/s2

// Field units of the charts (exact definitions).
inline constexpr double kFoot = 0.3048;                          // m
inline constexpr double kPoundPerCubicFoot = 16.01846337396014;  // kg/m3
inline constexpr double kPsi = 6894.757293168361;                // Pa
inline constexpr double kDynePerCm = 1.0e-3;                     // N/m
inline constexpr double kCentipoise = 1.0e-3;                    // Pa s

// The failure of the first screening rule the point breaks, if any.
[[nodiscard]] std::optional<WellOutcome> screen(const WellPoint& pt,
                                                bool reads_pressure) noexcept;

// A point with one phase (usg = 0 or usl = 0, not both): the shared
// single-phase answer (single_phase.hpp), checked by finish().
[[nodiscard]] WellOutcome single_phase(const WellPoint& pt) noexcept;

// The outcome from its parts, or the failure "pressure gradient is out of
// range" (or "liquid holdup is out of range") when not finite.
[[nodiscard]] WellOutcome finish(double elevation, double friction,
                                 double holdup, std::int32_t pattern) noexcept;

}  // namespace pipecorr::wells::lift
