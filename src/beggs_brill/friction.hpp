// The pieces of the friction factors, for the routines that trace them.
#pragma once

#include <cstdint>

namespace pipecorr::bb {

struct ColebrookResult {
  float f = 0.0f;                // last evaluated factor
  std::int32_t evaluations = 0;  // 1 to 21
};

// Colebrook by successive substitution at Reynolds number `re`. Stops at the
// first evaluation whose relative change is within 1e-4, or after 21; a
// point that never settles keeps its last value.
ColebrookResult colebrook(float re, float rruff) noexcept;

// Exponent S of the two-phase multiplier e^S, from y = frnl / hl^2.
float slip_exponent(float frnl, float hl) noexcept;

}  // namespace pipecorr::bb
