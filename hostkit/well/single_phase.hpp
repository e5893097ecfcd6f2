// The gradient of one phase flowing alone, and the kinetic term the host
// adds to a correlation's gradient. SI throughout; directions as in the
// march: the gradient is positive when the pressure falls along the flow,
// fi in degrees from horizontal, positive when the flow climbs.
#pragma once

namespace pipecorr::well {

// Darcy (Moody) friction factor at Reynolds number `re` and relative
// roughness `relative_roughness` (eps/d): 64/Re up to Re 2000; Colebrook-
// White from Re 4000, solved to the last bit; between the two a straight
// line in Re from the laminar value at 2000 to Colebrook's at 4000, so the
// factor is continuous through the transition. Zero at Re 0 (no flow).
[[nodiscard]] double moody_friction_factor(double re,
                                           double relative_roughness);

struct SinglePhaseFlow {
  double density = 0.0;    // kg/m3
  double viscosity = 0.0;  // Pa s
  double velocity = 0.0;   // m/s along the flow, >= 0
  double diameter = 0.0;   // m
  double roughness = 0.0;  // m
  double fi = 0.0;         // degrees from horizontal, uphill along flow
};

// Head plus wall friction, Pa/m: rho g sin(fi) + f rho v^2 / (2 d).
[[nodiscard]] double single_phase_gradient(const SinglePhaseFlow& flow);

// The kinetic term of a mixture whose gas expands as the pressure falls,
// Ek = rho_s vm vsg / p, rho_s = rol HL + rog (1 - HL) the in-situ (slip)
// density and vm = vsl + vsg: the whole gradient is the rest of it over
// (1 - Ek), the acceleration part Ek times the whole (Beggs & Brill's
// acceleration term, in Brill & Mukherjee, "Multiphase Flow in Wells", SPE
// Monograph 17, 1999). It takes the gas as ideal and the flow as
// isothermal over the step. Zero without gas.
[[nodiscard]] double kinetic_factor(double usl, double usg, double rol,
                                    double rog, double holdup, double pressure);

// Past this Ek the mixture nears its sonic speed and 1/(1 - Ek) runs away:
// the march stops there rather than report a gradient it cannot trust.
inline constexpr double kMaxKineticFactor = 0.9;

}  // namespace pipecorr::well
