// The Beggs & Brill core in oilfield units and single precision: the flow
// pattern, the liquid holdup and the pressure gradient of one calculation
// point. A value-typed core: field values in, an outcome out; the entries
// convert the host's values and write the host's outputs and texts.
//
// Every routine keeps its intermediates in locals, so the core is
// re-entrant; the only state shared between calls is the debug-log switch.
#pragma once

#include <cstdint>
#include <string_view>

#include "beggs_brill/field_inputs.hpp"
#include "beggs_brill/proven_store.hpp"

namespace pipecorr::bb {

// A pattern with its holdup `hl` and pressure gradient `DPg` (psi/ft,
// positive when pressure falls along the flow), or the failure exit: no
// pattern, zero gradient and holdup, and the reason (empty when the map
// itself found no pattern).
struct Outcome {
  bool failed = true;
  std::string_view reason;  // static text
  std::int32_t pattern = kUndefinedRegime;
  float hl = 0.0f;
  float DPg = 0.0f;
};

// One point. A point outside the correlation's domain takes the failure
// exit with a reason that names it. `entry_problem` is a reason the calling
// entry already knows (its host values have no place in single precision);
// the core then takes its failure exit with it. `e` selects the formulas
// (the same bits either way). Traces the point on entry and the gradient on
// leaving.
Outcome BBi(const FieldInputs& in, std::string_view entry_problem = {},
            Evaluation e = Evaluation::kFast) noexcept;

}  // namespace pipecorr::bb
