// The friction factors of the core: the single-phase Moody factor and the
// Beggs & Brill two-phase multiplier, with the pieces they are made of.
#pragma once

#include <cstdint>

#include "beggs_brill/proven_store.hpp"

namespace pipecorr::bb {

// Two-phase friction factor `ftp` (Darcy basis) and its ratio `FFRAT` to the
// no-slip factor, for no-slip holdup `frnl` and holdup `hl`.
void FRNBB_q(float renum, float rruff, float frnl, float hl, float& ftp,
             float& FFRAT, Evaluation e = Evaluation::kFast) noexcept;

// Single-phase Moody friction factor (Darcy basis): laminar up to 2000, a
// straight-line bridge to 4000, Colebrook above.
void MOODY_q(float renum, float rruff, float& Fmoody,
             Evaluation e = Evaluation::kFast) noexcept;

struct ColebrookResult {
  float f = 0.0f;                // last evaluated factor
  std::int32_t evaluations = 0;  // 1 to 21
};

// Colebrook by successive substitution at Reynolds number `re`. Stops at the
// first evaluation whose relative change is within 1e-4, or after 21; a
// point that never settles keeps its last value.
ColebrookResult colebrook(float re, float rruff,
                          Evaluation e = Evaluation::kFast) noexcept;

// The iteration's first factor, 0.0056 + 0.5 / re^0.32.
float colebrook_start(float re, Evaluation e = Evaluation::kFast) noexcept;

// Exponent S of the two-phase multiplier e^S, from y = frnl / hl^2.
float slip_exponent(float frnl, float hl,
                    Evaluation e = Evaluation::kFast) noexcept;

}  // namespace pipecorr::bb
