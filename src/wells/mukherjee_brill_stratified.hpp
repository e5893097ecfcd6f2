// Mukherjee & Brill's stratified-flow gradient: the momentum balances of
// the liquid and the gas layer added, which removes the interfacial shear:
//
//   -dp/dz = (tau_wl P_l + tau_wg P_g) / A + rho_s g sin(fi),
//
// with the layers' geometry from the holdup (liquid segment of central
// angle delta: HL = (delta - sin delta) / (2 pi)), wall shears
// tau = f rho v^2 / 8 from the Moody factor at each layer's velocity and
// hydraulic diameter (4 A_k / (P_k + S_i)), and the correlation's holdup
// in rho_s.
//
// Two guards keep the layers physical where the holdup fit leaves its
// data (a trickle of liquid gives holdups down to 1e-10 and below, so a
// layer far thinner than a film racing at many times the gas velocity;
// a viscous liquid, a full pipe):
//  - the liquid layer's wall friction is at most what can drive the layer:
//    the pressure gradient on its area (taken as the gas layer's friction
//    gradient), its weight when it flows downhill, and the gas's drag on
//    the interface, allowed up to ten times the smooth-interface drag
//    tau_wg (1 - vl/vg)^2 (a wavy interface; none when the liquid is the
//    faster layer). A trickle then adds almost nothing to the gas's
//    friction, and a free-falling layer nothing to the gradient;
//  - the gas layer's area is taken as at least a tenth of the no-slip gas
//    fraction (gas no faster than ten mixture velocities).
// Both are continuous, and leave layers that their drive can carry alone.
#pragma once

#include "wells/flow_basics.hpp"
#include "wells/well_point.hpp"

namespace pipecorr::wells::mb {

struct Layers {
  double friction = 0.0;  // (tau_wl P_l + tau_wg P_g) / A, Pa/m
  double delta = 0.0;     // central angle of the liquid segment, rad
};

// Central angle of the liquid segment for a holdup in [0, 1]:
// delta - sin(delta) = 2 pi HL, by Newton's method kept inside a bisection
// bracket (at most 60 steps).
[[nodiscard]] double segment_angle(double holdup) noexcept;

// For a two-phase point; `holdup` in [0, 1].
[[nodiscard]] Layers stratified_friction(const WellPoint& p, const NoSlip& m,
                                         double holdup, double s) noexcept;

}  // namespace pipecorr::wells::mb
