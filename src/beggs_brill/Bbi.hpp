// The Beggs & Brill core in oilfield units and single precision: the flow
// pattern, the liquid holdup and the pressure gradient of one calculation
// point, with the friction-factor routines it uses.
//
// Every routine keeps its intermediates in locals, so the core is
// re-entrant; the only state shared between calls is the debug-log switch.
#pragma once

#include <cstdint>

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

// Flow-pattern codes returned in `iregime`.
inline constexpr std::int32_t kUndefinedRegime = -1;
inline constexpr std::int32_t kSegregated = 5;
inline constexpr std::int32_t kTransition = 6;
inline constexpr std::int32_t kIntermittent = 7;
inline constexpr std::int32_t kDistributed = 8;

inline constexpr std::int32_t kNoFlowRegime = 3;

// Pressure gradient `DPg` (psi/ft, positive when pressure falls along the
// flow), holdup `hl`, pattern `iregime`, and `ierr`/`errmsg` (150
// characters, blank-padded). A point outside the correlation's domain
// returns ierr 3, iregime -1, zero gradient and holdup, and a message that
// names the reason.
void BBi(const FieldInputs& in, float& DPg, float& hl, std::int32_t& iregime,
         std::int32_t& ierr, char* errmsg) noexcept;

// Two-phase friction factor `ftp` (Darcy basis) and its ratio `FFRAT` to the
// no-slip factor, for no-slip holdup `frnl` and holdup `hl`.
void FRNBB_q(float renum, float rruff, float frnl, float hl, float& ftp,
             float& FFRAT) noexcept;

// Single-phase Moody friction factor (Darcy basis): laminar up to 2000, a
// straight-line bridge to 4000, Colebrook above.
void MOODY_q(float renum, float rruff, float& Fmoody) noexcept;

}  // namespace pipecorr::bb
