#include "wells/single_phase.hpp"

#include "wells/flow_basics.hpp"
#include "wells/wall_friction.hpp"

namespace pipecorr::wells {

WellOutcome single_phase(const WellPoint& p) noexcept {
  const double s = inclination_sine(p.fi);
  WellOutcome out;
  if (p.usg == 0.0) {
    out.pattern = PIPECORR_PATTERN_LIQUID_ONLY;
    out.holdup = 1.0;
    out.friction = wall_gradient(p.rol, p.usl, p.visl, p.diam, p.eps);
    out.elevation = p.rol * kGravity * s;
    out.dp = out.friction + out.elevation;
    return out;
  }
  out.pattern = PIPECORR_PATTERN_GAS_ONLY;
  out.holdup = 0.0;
  out.friction = wall_gradient(p.rog, p.usg, p.visg, p.diam, p.eps);
  out.elevation = p.rog * kGravity * s;
  out.dp = out.friction + out.elevation;
  return out;
}

}  // namespace pipecorr::wells
