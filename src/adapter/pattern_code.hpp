// From the engine's flow-pattern number to the host's flow-pattern code.
#pragma once

#include <array>
#include <cstdint>

namespace pipecorr::orba {

// Host code for engine patterns 1 to 10.
inline constexpr std::array<std::int32_t, 10> kIdTab{9,  10, 11, 2,  12,
                                                     13, 14, 4,  15, 16};
inline constexpr std::int32_t kNoPatternCode = -1;

// The engine's real-valued pattern number truncated toward zero, whatever
// the rounding mode. 0 (no pattern) for a NaN or a value beyond the 32-bit
// range, which have no integer to truncate to.
std::int32_t truncate_pattern(double ptclc) noexcept;

// idtab(iflowp), or kNoPatternCode outside 1 to 10.
std::int32_t host_pattern_code(std::int32_t iflowp) noexcept;

}  // namespace pipecorr::orba
