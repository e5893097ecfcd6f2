#include "beggs_brill/Bb_2.hpp"

#include <cmath>

#include "beggs_brill/Bbi.hpp"
#include "beggs_brill/field_units.hpp"
#include "beggs_brill/single_precision.hpp"
#include "log/debug_log.hpp"

namespace pipecorr::bb {

entry::Results bb_2_results(const entry::HostInputs& host,
                            Evaluation e) noexcept {
  const FieldInputs in = to_field_units(host);
  trace_field_inputs({" Entering BB", " vislcp = ", " visgcp = "}, in);
  const Outcome outcome = BBi(in, range_problem(host, in), e);
  if (outcome.failed) return entry::failure(outcome.reason);
  const float dp = store(gradient_in_si(outcome.DPg));
  // A gradient finite in the core can still overflow the host's float.
  if (!(std::isfinite(dp) && std::isfinite(outcome.hl))) {
    return entry::failure(kGradientBeyondHostRange);
  }
  entry::Results r;
  r.dp = wide(dp);
  r.holdup = wide(outcome.hl);
  r.id = outcome.pattern;
  return r;
}

void bb_2(float* xinfo, const float* usl, const float* usg, const float* rol,
          const float* rog, const float* visl, const float* visg,
          const float* eps, const float* sigma, const float* diam,
          const float* fi, const float* p, float* dp, float* holdup,
          std::int32_t* id, std::int32_t* iaux, std::int32_t* ierr,
          char* errmsg, Evaluation e) {
  const entry::Results r =
      bb_2_results(entry::read_host_inputs(usl, usg, rol, rog, visl, visg, eps,
                                           sigma, diam, fi, p),
                   e);
  entry::write_results<float>({dp, holdup, id, iaux, ierr, errmsg}, r);
  xinfo[0] = 1.0f;
  const float logged_dp = store(r.dp);
  dbg::trace(
      [&](dbg::Block& b) { b.record("leaving BB with DP=", logged_dp); });
}

}  // namespace pipecorr::bb
