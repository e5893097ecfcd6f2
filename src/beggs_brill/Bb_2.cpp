#include "beggs_brill/Bb_2.hpp"

#include "beggs_brill/Bbi.hpp"
#include "beggs_brill/field_units.hpp"
#include "beggs_brill/single_precision.hpp"
#include "log/debug_log.hpp"

namespace pipecorr::bb {

void bb_2(float* xinfo, const float* usl, const float* usg, const float* rol,
          const float* rog, const float* visl, const float* visg,
          const float* eps, const float* sigma, const float* diam,
          const float* fi, const float* p, float* dp, float* holdup,
          std::int32_t* id, std::int32_t* iaux, std::int32_t* ierr,
          char* errmsg, Evaluation e) {
  const HostInputs host{wide(*usl),  wide(*usg),  wide(*rol), wide(*rog),
                        wide(*visl), wide(*visg), wide(*eps), wide(*sigma),
                        wide(*diam), wide(*fi),   wide(*p)};
  const FieldInputs in = to_field_units(host);
  trace_entry({" Entering BB", " vislcp = ", " visgcp = "}, in);

  float DPg = 0.0f;
  BBi(in, DPg, *holdup, *id, *ierr, errmsg, range_problem(host, in), e);

  *dp = store(gradient_in_si(DPg));
  // A gradient finite in the core can still overflow the host's float.
  if (!outputs_finite(wide(*dp), wide(*holdup))) {
    *dp = 0.0f;
    *holdup = 0.0f;
    set_failure(*id, *ierr, errmsg, kGradientBeyondHostRange);
  }
  *iaux = 0;
  xinfo[0] = 1.0f;
  const float logged_dp = *dp;
  dbg::trace(
      [&](dbg::Block& b) { b.record("leaving BB with DP=", logged_dp); });
}

}  // namespace pipecorr::bb
