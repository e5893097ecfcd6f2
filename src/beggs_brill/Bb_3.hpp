// The double-precision entry of the Beggs & Brill correlation: the same
// single-precision core, fed from the host's doubles rounded once.
#pragma once

#include <cstdint>

#include "beggs_brill/proven_store.hpp"
#include "entry/host_inputs.hpp"
#include "entry/results.hpp"

namespace pipecorr::bb {

// The host's results for its double-precision values.
entry::Results bb_3_results(const entry::HostInputs& host,
                            Evaluation e = Evaluation::kFast) noexcept;

// Arguments as the export BB_3 receives them, without the unread length.
void bb_3(double* xinfo, const double* usl, const double* usg,
          const double* rol, const double* rog, const double* visl,
          const double* visg, const double* eps, const double* sigma,
          const double* diam, const double* fi, const double* p, double* dp,
          double* holdup, std::int32_t* id, std::int32_t* iaux,
          std::int32_t* ierr, char* errmsg, Evaluation e = Evaluation::kFast);

}  // namespace pipecorr::bb
