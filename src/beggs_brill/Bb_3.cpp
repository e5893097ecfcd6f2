#include "beggs_brill/Bb_3.hpp"

#include "beggs_brill/Bbi.hpp"
#include "beggs_brill/field_units.hpp"
#include "beggs_brill/single_precision.hpp"
#include "log/debug_log.hpp"

namespace pipecorr::bb {

void bb_3(double* xinfo, const double* usl, const double* usg,
          const double* rol, const double* rog, const double* visl,
          const double* visg, const double* eps, const double* sigma,
          const double* diam, const double* fi, const double* p, double* dp,
          double* holdup, std::int32_t* id, std::int32_t* iaux,
          std::int32_t* ierr, char* errmsg, Evaluation e) {
  const HostInputs host{*usl, *usg,   *rol,  *rog, *visl, *visg,
                        *eps, *sigma, *diam, *fi,  *p};
  const FieldInputs in = to_field_units(host);
  trace_entry({" Entering BB8", "  vislcp = ", "  visgcp = "}, in);

  // The core writes a float holdup; the host's is double.
  float DPg = 0.0f;
  float hl = 0.0f;
  BBi(in, DPg, hl, *id, *ierr, errmsg, range_problem(host, in), e);

  // Kept in double: no single-precision product in between.
  *dp = gradient_in_si(DPg);
  *holdup = wide(hl);
  // Any finite float gradient fits a double; checked all the same, so that
  // both entries keep the one promise: no infinity as a result.
  if (!outputs_finite(*dp, *holdup)) {
    *dp = 0.0;
    *holdup = 0.0;
    set_failure(*id, *ierr, errmsg, kGradientBeyondHostRange);
  }
  *iaux = 0;
  xinfo[0] = 1.0;
  const double logged_dp = *dp;
  dbg::trace(
      [&](dbg::Block& b) { b.record("leaving BB8 with DP=", logged_dp); });
}

}  // namespace pipecorr::bb
