#include "wells/mukherjee_brill.hpp"

#include "wells/flow_basics.hpp"
#include "wells/mukherjee_brill_holdup.hpp"
#include "wells/mukherjee_brill_map.hpp"
#include "wells/mukherjee_brill_stratified.hpp"
#include "wells/point_screen.hpp"
#include "wells/single_phase.hpp"
#include "wells/wall_friction.hpp"

namespace pipecorr::wells {

WellOutcome mukherjee_brill(const WellPoint& p) noexcept {
  if (const auto reason = screen_point(p, false); !reason.empty()) {
    return failure(reason);
  }
  if (p.usl == 0.0 || p.usg == 0.0) return checked(single_phase(p));

  const double s = inclination_sine(p.fi);
  const NoSlip m = no_slip(p);
  const mb::Numbers n = mb::numbers(p);
  WellOutcome out;
  out.pattern = mb::pattern(n, s);
  out.holdup = mb::holdup(mb::holdup_set(out.pattern, s), n, s);
  const double rho_s = p.rol * out.holdup + p.rog * (1.0 - out.holdup);
  out.elevation = rho_s * kGravity * s;

  if (out.pattern == PIPECORR_PATTERN_MB_STRATIFIED) {
    out.friction = mb::stratified_friction(p, m, out.holdup, s).friction;
    out.dp = out.friction + out.elevation;
    return checked(out);
  }
  if (out.pattern == PIPECORR_PATTERN_MB_ANNULAR) {
    // A holdup ratio beyond the table's end reads 1.00 there; the test
    // keeps a holdup that underflowed to 0 from dividing.
    const double ratio =
        out.holdup * 10.0 > m.lambda_l ? m.lambda_l / out.holdup : 10.0;
    out.friction = mb::annular_friction_ratio(ratio) *
                   wall_gradient(m.rho, m.vm, m.mu, p.diam, p.eps);
  } else {
    out.friction =
        wall_gradient_with_head(m.rho, rho_s, m.vm, m.mu, p.diam, p.eps);
  }
  out.dp = out.friction + out.elevation;
  return checked(out);
}

}  // namespace pipecorr::wells
