#include "beggs_brill/Bbi.hpp"

#include <cmath>
#include <string_view>

#include "beggs_brill/flow_map.hpp"
#include "beggs_brill/friction.hpp"
#include "beggs_brill/gradient.hpp"
#include "beggs_brill/holdup.hpp"
#include "beggs_brill/single_precision.hpp"
#include "log/debug_log.hpp"

namespace pipecorr::bb {
namespace {

// Why the point lies outside the correlation's domain, or empty when it
// does not. Such points would otherwise reach the host as NaN or infinity.
// Fills `ns`, which the screening computes anyway, for the mixture.
std::string_view domain_problem(const FieldInputs& in, NoSlip& ns) noexcept {
  if (!all_finite(in)) return "an input is not a finite number";
  if (in.vsl < 0.0f || in.vsg < 0.0f) {
    return "superficial velocities must not be negative";
  }
  if (in.vsl == 0.0f && in.vsg == 0.0f) {
    return "superficial velocities must not both be zero";
  }
  if (!(in.pidft > 0.0f)) return "pipe diameter must be positive";
  // A negative roughness would reach the logarithm of the Colebrook
  // iteration; small ones would pass it and give a smooth-looking factor.
  if (in.ruff < 0.0f) return "pipe roughness must not be negative";
  if (!(in.dl > 0.0f)) return "liquid density must be positive";
  // Zero stays allowed: a vacuum-like gas phase has a defined result.
  if (in.dg < 0.0f) return "gas density must not be negative";
  if (!(in.stenl > 0.0f)) return "surface tension must be positive";
  ns = no_slip_of(in);
  if (!(ns.viscosity > 0.0f)) {
    return "no-slip viscosity must be positive";
  }
  return {};
}

// Friction plus elevation gradient, psi/ft, for the final holdup `hl`.
float pressure_gradient(const FieldInputs& in, float hl, const NoSlip& ns,
                        Evaluation e) noexcept {
  const Mixture m = mixture_of(in, hl, ns);
  float ftp = 0.0f;
  float ffrat = 0.0f;
  FRNBB_q(m.renum, m.rruff, m.lambda, hl, ftp, ffrat, e);
  return store(wide(friction_gradient(in, m, ftp)) +
               wide(elevation_gradient(in, m, e)));
}

Outcome failure(std::string_view reason) noexcept {
  Outcome o;
  o.reason = reason;
  return o;
}

Outcome solve(const FieldInputs& in, std::string_view entry_problem,
              Evaluation e) noexcept {
  if (!entry_problem.empty()) return failure(entry_problem);
  NoSlip ns;
  if (const std::string_view problem = domain_problem(in, ns);
      !problem.empty()) {
    return failure(problem);
  }
  const MapPoint point = map_point(in.vsl, in.vsg, in.pidft, e);
  const MapQuantities& map = point.map;
  const std::int32_t pattern = point.pattern;
  if (pattern == kUndefinedRegime) return failure({});

  const Slope slope = slope_of(in.vsl, in.dl, in.stenl, in.arad);
  const float hl = liquid_holdup(pattern, map, slope, e);
  // Last guards: extreme but finite inputs can still overflow on the way.
  if (!std::isfinite(hl)) return failure("liquid holdup is out of range");
  const float DPg = pressure_gradient(in, hl, ns, e);
  if (!std::isfinite(DPg)) {
    return failure("pressure gradient is out of range");
  }
  return {false, {}, pattern, hl, DPg};
}

}  // namespace

Outcome BBi(const FieldInputs& in, std::string_view entry_problem,
            Evaluation e) noexcept {
  trace_field_inputs({" Entering BBi", "   visl = ", "   visg = "}, in);
  const Outcome outcome = solve(in, entry_problem, e);
  const float DPg = outcome.DPg;
  dbg::trace([&](dbg::Block& b) { b.record("leaving BBi with DPg=", DPg); });
  return outcome;
}

}  // namespace pipecorr::bb
