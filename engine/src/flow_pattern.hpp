// The stand-in's flow-pattern number: a coarse banding of the no-slip
// liquid fraction and the mixture velocity, not a mechanistic map.
#pragma once

namespace twpc2032 {

// Pattern numbers 1 to 10:
//   1  liquid only        liquid fraction >= 0.999
//   2  gas only           liquid fraction <= 0.001
//   3, 4, 5   liquid-rich  (fraction >= 0.5)  at mixture velocity
//                          below 1 m/s, 1 to below 5 m/s, 5 m/s and above
//   6, 7, 8   mixed        (0.1 <= fraction < 0.5), same velocity bands
//   9, 10     gas-rich     (fraction < 0.1), below 5 m/s, 5 m/s and above
int flow_pattern(double liquid_fraction, double mixture_velocity) noexcept;

}  // namespace twpc2032
