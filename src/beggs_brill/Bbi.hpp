// The Beggs & Brill core in oilfield units and single precision: the flow
// pattern, the liquid holdup and the pressure gradient of one calculation
// point, with the friction-factor routines it uses.
//
// Every routine keeps its intermediates in locals, so the core is
// re-entrant; the only state shared between calls is the debug-log switch.
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <string_view>

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
// bits: a float is infinite or NaN exactly when its magnitude bits reach
// those of infinity. The common path of every call tests all eleven at once.
[[nodiscard]] inline bool all_finite(const FieldInputs& in) noexcept {
  static_assert(sizeof(FieldInputs) == 11 * sizeof(float));
  const auto bits = std::bit_cast<std::array<std::uint32_t, 11>>(in);
  std::uint32_t beyond = 0;
  for (const std::uint32_t b : bits) {
    beyond |= static_cast<std::uint32_t>((b & 0x7fffffffU) >= 0x7f800000U);
  }
  return beyond == 0;
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
