// From the engine's flow-pattern number to the host's flow-pattern code.
#pragma once

#include <array>
#include <cstdint>

#include "pipecorr/pipecorr.h"

namespace pipecorr::orba {

// Host code for engine patterns 1 to 10: the table hosts read from the
// public header.
inline constexpr std::array<std::int32_t, PIPECORR_ENGINE_PATTERNS> kIdTab =
    PIPECORR_ENGINE_PATTERN_CODES;
static_assert(kIdTab.size() == 10 && kIdTab[0] == 9 && kIdTab[3] == 2 &&
                  kIdTab[7] == 4 && kIdTab[9] == 16,
              "stored host results carry these codes");
inline constexpr std::int32_t kNoPatternCode = PIPECORR_PATTERN_NONE;

// The engine's real-valued pattern number truncated toward zero, whatever
// the rounding mode. 0 (no pattern) for a NaN or a value beyond the 32-bit
// range, which have no integer to truncate to.
std::int32_t truncate_pattern(double ptclc) noexcept;

// idtab(iflowp), or kNoPatternCode outside 1 to 10.
std::int32_t host_pattern_code(std::int32_t iflowp) noexcept;

}  // namespace pipecorr::orba
