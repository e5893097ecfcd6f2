// The single-precision entry of the Beggs & Brill correlation: host SI
// values in, the core run once, the gradient back in Pa/m.
#pragma once

#include <cstdint>

#include "beggs_brill/proven_store.hpp"
#include "entry/host_inputs.hpp"
#include "entry/results.hpp"

namespace pipecorr::bb {

// The host's results for its single-precision values (widened): each
// result a float, widened.
entry::Results bb_2_results(const entry::HostInputs& host,
                            Evaluation e = Evaluation::kFast) noexcept;

// Arguments as the export BB_2 receives them, without the unread length.
void bb_2(float* xinfo, const float* usl, const float* usg, const float* rol,
          const float* rog, const float* visl, const float* visg,
          const float* eps, const float* sigma, const float* diam,
          const float* fi, const float* p, float* dp, float* holdup,
          std::int32_t* id, std::int32_t* iaux, std::int32_t* ierr,
          char* errmsg, Evaluation e = Evaluation::kFast);

}  // namespace pipecorr::bb
