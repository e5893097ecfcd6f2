// Homogeneous (no-slip) two-phase pipe flow: both phases move at the
// mixture velocity, so the holdup is the no-slip liquid fraction.
#pragma once

namespace twpc2032 {

// SI units; inclination in degrees from horizontal, uphill positive.
struct FlowConditions {
  double usl;
  double usg;
  double rol;
  double rog;
  double visl;
  double visg;
  double diam;
  double fi;
  double eps;
};

// Gradients in Pa/m, positive when pressure falls along the flow.
struct FlowResult {
  double holdup;
  double friction;
  double gravity;
  double acceleration;
  double pattern;  // 1 to 10, see flow_pattern.hpp
  double mixture_velocity;
  double mixture_density;
  double mixture_viscosity;
  double reynolds;
  double friction_factor;
};

inline constexpr double kGravity = 9.80665;  // m/s2

// Conditions the model has an answer for: finite values, velocities and
// roughness not negative, some flow, positive densities, viscosities and
// diameter.
bool is_computable(const FlowConditions& c) noexcept;

// Every field NaN when the conditions are not computable.
FlowResult homogeneous_flow(const FlowConditions& c) noexcept;

}  // namespace twpc2032
