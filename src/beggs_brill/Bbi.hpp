// The Beggs & Brill core in oilfield units and single precision: the flow
// pattern, the liquid holdup and the pressure gradient of one calculation
// point, with the friction-factor routines it uses.
//
// Every routine keeps its intermediates in locals, so the core is
// re-entrant; the only state shared between calls is the debug-log switch.
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "beggs_brill/proven_store.hpp"
#include "pipecorr/pipecorr.h"

namespace pipecorr::bb {

// One calculation point in field units.
struct FieldInputs {
  float vsl = 0.0f;    // superficial liquid velocity, ft/s
  float vsg = 0.0f;    // superficial gas velocity, ft/s
  float dl = 0.0f;     // liquid density, lbm/ft3
  float dg = 0.0f;     // gas density, lbm/ft3
  float visl = 0.0f;   // liquid viscosity, cP
  float visg = 0.0f;   // gas viscosity, cP
  float ruff = 0.0f;   // absolute wall roughness, inch
  float stenl = 0.0f;  // surface tension, dyn/cm
  float pidft = 0.0f;  // inside diameter, ft
  float arad = 0.0f;   // inclination, radian, positive uphill
  float pave = 0.0f;   // pressure, psia; traced only
};

// Whether every field value is a finite number. One pass over the values'
// bits: a float is infinite or NaN exactly when its magnitude bits, read
// as an integer, exceed those of the largest float. The common path of
// every call tests all eleven at once, with SSE2 four at a time (the last
// load overlaps the middle one by a value).
[[nodiscard]] inline bool all_finite(const FieldInputs& in) noexcept {
  static_assert(sizeof(FieldInputs) == 11 * sizeof(float));
  constexpr std::int32_t kMagnitude = 0x7fffffff;
  constexpr std::int32_t kLargestFloat = 0x7f7fffff;
#if defined(__SSE2__)
  const auto* bytes = reinterpret_cast<const unsigned char*>(&in);
  const __m128i magnitude = _mm_set1_epi32(kMagnitude);
  const __m128i largest = _mm_set1_epi32(kLargestFloat);
  const auto beyond = [&](std::size_t offset) {
    const __m128i v =
        _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + offset));
    return _mm_cmpgt_epi32(_mm_and_si128(v, magnitude), largest);
  };
  const __m128i any =
      _mm_or_si128(_mm_or_si128(beyond(0), beyond(16)), beyond(28));
  return _mm_movemask_epi8(any) == 0;
#else
  const auto bits = std::bit_cast<std::array<std::int32_t, 11> >(in);
  bool beyond = false;
  for (const std::int32_t b : bits) beyond |= (b & kMagnitude) > kLargestFloat;
  return !beyond;
#endif
}

// Flow-pattern codes returned in `iregime`: the host's codes.
inline constexpr std::int32_t kUndefinedRegime = PIPECORR_PATTERN_NONE;
inline constexpr std::int32_t kSegregated = PIPECORR_PATTERN_SEGREGATED;
inline constexpr std::int32_t kTransition = PIPECORR_PATTERN_TRANSITION;
inline constexpr std::int32_t kIntermittent = PIPECORR_PATTERN_INTERMITTENT;
inline constexpr std::int32_t kDistributed = PIPECORR_PATTERN_DISTRIBUTED;
static_assert(kUndefinedRegime == -1 && kSegregated == 5 && kTransition == 6 &&
                  kIntermittent == 7 && kDistributed == 8,
              "stored host results carry these codes");

inline constexpr std::int32_t kNoFlowRegime = PIPECORR_NO_FLOW_REGIME;
static_assert(kNoFlowRegime == 3);

// Pressure gradient `DPg` (psi/ft, positive when pressure falls along the
// flow), holdup `hl`, pattern `iregime`, and `ierr`/`errmsg` (150
// characters, blank-padded). A point outside the correlation's domain
// returns ierr 3, iregime -1, zero gradient and holdup, and a message that
// names the reason. `entry_problem` is a reason the calling entry already
// knows (its host values have no place in single precision); the core then
// takes its failure exit with it. `e` selects the formulas (the same bits
// either way).
void BBi(const FieldInputs& in, float& DPg, float& hl, std::int32_t& iregime,
         std::int32_t& ierr, char* errmsg, std::string_view entry_problem = {},
         Evaluation e = Evaluation::kFast) noexcept;

// The failure result's codes and message, for an entry that finds its own
// converted outputs unusable after the core succeeded.
void set_failure(std::int32_t& iregime, std::int32_t& ierr, char* errmsg,
                 std::string_view reason) noexcept;

}  // namespace pipecorr::bb
