// Darcy friction factor of a pipe, laminar or turbulent.
#pragma once

namespace twpc2032 {

// Below this Reynolds number the flow is taken as laminar.
inline constexpr double kLaminarLimit = 2000.0;

// The Colebrook equation describes real pipes only up to about this
// relative roughness; beyond it (and at 3.7 it has no finite root) the
// factor stays at its value here.
inline constexpr double kRoughestPipe = 0.05;

// Darcy factor: 64 / Re below kLaminarLimit, otherwise the root of the
// Colebrook equation
//   1 / sqrt(f) = -2 log10(roughness / 3.7 + 2.51 / (Re sqrt(f)))
// with roughness = wall roughness / diameter, at most kRoughestPipe. Re
// must be positive and the relative roughness non-negative, both finite.
double darcy_friction_factor(double reynolds,
                             double relative_roughness) noexcept;

}  // namespace twpc2032
