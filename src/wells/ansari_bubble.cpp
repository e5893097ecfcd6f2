#include "wells/ansari_bubble.hpp"

#include <cmath>

#include "wells/bracketed_root.hpp"
#include "wells/wall_friction.hpp"

namespace pipecorr::wells::ansari_model {

Hydraulics bubble(const WellPoint& p, const Fluid& f) noexcept {
  const double carry = 1.2 * f.m.vm;
  // phi(h) = usg - (1 - h)(1.2 vm + v_rise sqrt h): negative at 0
  // (usg < 1.2 vm), positive at 1, convex, so one sign change.
  const auto phi = [&](double h, double& value, double& slope) {
    const double root = std::sqrt(h);
    const double gas_velocity = carry + f.v_rise * root;
    value = p.usg - (1.0 - h) * gas_velocity;
    slope =
        gas_velocity - (root > 0.0 ? (1.0 - h) * f.v_rise / (2.0 * root) : 0.0);
  };
  // Start from the holdup with the swarm term at a full pipe.
  const double start = 1.0 - p.usg / (carry + f.v_rise);
  Hydraulics out;
  out.holdup = bracketed_root(phi, 0.0, 1.0, start);
  const double rho = p.rol * out.holdup + p.rog * (1.0 - out.holdup);
  out.friction =
      wall_gradient_with_head(p.rol, rho, f.m.vm, p.visl, p.diam, p.eps);
  out.elevation = rho * kGravity * f.s;
  return out;
}

Hydraulics dispersed(const WellPoint& p, const Fluid& f) noexcept {
  Hydraulics out;
  out.holdup = f.m.lambda_l;
  out.friction = wall_gradient(f.m.rho, f.m.vm, f.m.mu, p.diam, p.eps);
  out.elevation = f.m.rho * kGravity * f.s;
  return out;
}

}  // namespace pipecorr::wells::ansari_model
