#include "homogeneous_flow.hpp"

#include <cmath>
#include <initializer_list>
#include <limits>
#include <numbers>

#include "flow_pattern.hpp"
#include "friction_factor.hpp"

namespace twpc2032 {
namespace {

bool finite(const FlowConditions& c) noexcept {
  for (const double v :
       {c.usl, c.usg, c.rol, c.rog, c.visl, c.visg, c.diam, c.fi, c.eps}) {
    if (!std::isfinite(v)) return false;
  }
  return true;
}

FlowResult no_answer() noexcept {
  constexpr double nan = std::numeric_limits<double>::quiet_NaN();
  return {nan, nan, nan, nan, nan, nan, nan, nan, nan, nan};
}

}  // namespace

bool is_computable(const FlowConditions& c) noexcept {
  return finite(c) && c.usl >= 0.0 && c.usg >= 0.0 && c.usl + c.usg > 0.0 &&
         c.rol > 0.0 && c.rog > 0.0 && c.visl > 0.0 && c.visg > 0.0 &&
         c.diam > 0.0 && c.eps >= 0.0;
}

FlowResult homogeneous_flow(const FlowConditions& c) noexcept {
  if (!is_computable(c)) return no_answer();

  FlowResult r{};
  r.mixture_velocity = c.usl + c.usg;
  r.holdup = c.usl / r.mixture_velocity;
  const double gas_fraction = 1.0 - r.holdup;
  r.mixture_density = r.holdup * c.rol + gas_fraction * c.rog;
  r.mixture_viscosity = r.holdup * c.visl + gas_fraction * c.visg;
  r.reynolds =
      r.mixture_density * r.mixture_velocity * c.diam / r.mixture_viscosity;
  r.friction_factor = darcy_friction_factor(r.reynolds, c.eps / c.diam);
  r.friction = r.friction_factor * r.mixture_density * r.mixture_velocity *
               r.mixture_velocity / (2.0 * c.diam);
  r.gravity = r.mixture_density * kGravity *
              std::sin(c.fi * (std::numbers::pi / 180.0));
  // A steady no-slip mixture is not accelerated.
  r.acceleration = 0.0;
  r.pattern = flow_pattern(r.holdup, r.mixture_velocity);
  return r;
}

}  // namespace twpc2032
