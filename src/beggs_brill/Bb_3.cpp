#include "beggs_brill/Bb_3.hpp"

#include <cmath>

#include "beggs_brill/Bbi.hpp"
#include "beggs_brill/field_units.hpp"
#include "beggs_brill/single_precision.hpp"
#include "log/debug_log.hpp"

namespace pipecorr::bb {

entry::Results bb_3_results(const entry::HostInputs& host,
                            Evaluation e) noexcept {
  const FieldInputs in = to_field_units(host);
  trace_field_inputs({" Entering BB8", "  vislcp = ", "  visgcp = "}, in);
  const Outcome outcome = BBi(in, range_problem(host, in), e);
  if (outcome.failed) return entry::failure(outcome.reason);
  // Kept in double: no single-precision product in between; the float
  // holdup widened exactly.
  entry::Results r;
  r.dp = gradient_in_si(outcome.DPg);
  r.holdup = wide(outcome.hl);
  r.id = outcome.pattern;
  // Any finite float gradient fits a double; checked all the same, so that
  // both entries keep the one promise: no infinity as a result.
  if (!(std::isfinite(r.dp) && std::isfinite(r.holdup))) {
    return entry::failure(kGradientBeyondHostRange);
  }
  return r;
}

void bb_3(double* xinfo, const double* usl, const double* usg,
          const double* rol, const double* rog, const double* visl,
          const double* visg, const double* eps, const double* sigma,
          const double* diam, const double* fi, const double* p, double* dp,
          double* holdup, std::int32_t* id, std::int32_t* iaux,
          std::int32_t* ierr, char* errmsg, Evaluation e) {
  const entry::Results r =
      bb_3_results(entry::read_host_inputs(usl, usg, rol, rog, visl, visg, eps,
                                           sigma, diam, fi, p),
                   e);
  entry::write_results<double>({dp, holdup, id, iaux, ierr, errmsg}, r);
  xinfo[0] = 1.0;
  const double logged_dp = r.dp;
  dbg::trace(
      [&](dbg::Block& b) { b.record("leaving BB8 with DP=", logged_dp); });
}

}  // namespace pipecorr::bb
