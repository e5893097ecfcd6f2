// What every stage of the Beggs & Brill core reads: one calculation point
// in field units, the flow-pattern codes, and the trace block of the point.
// The bottom of the core: it includes no stage.
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// The core's flow-pattern codes: the host's codes.
inline constexpr std::int32_t kUndefinedRegime = PIPECORR_PATTERN_NONE;
inline constexpr std::int32_t kSegregated = PIPECORR_PATTERN_SEGREGATED;
inline constexpr std::int32_t kTransition = PIPECORR_PATTERN_TRANSITION;
inline constexpr std::int32_t kIntermittent = PIPECORR_PATTERN_INTERMITTENT;
inline constexpr std::int32_t kDistributed = PIPECORR_PATTERN_DISTRIBUTED;
static_assert(kUndefinedRegime == -1 && kSegregated == 5 && kTransition == 6 &&
                  kIntermittent == 7 && kDistributed == 8,
              "stored host results carry these codes");

// The trace block of a point's field values, written by each entry after
// its conversion and by the core on entry. They differ only in the title
// and the viscosity labels.
struct FieldTraceLabels {
  std::string_view title;
  std::string_view visl;
  std::string_view visg;
};
void trace_field_inputs(const FieldTraceLabels& labels,
                        const FieldInputs& in) noexcept;

}  // namespace pipecorr::bb
