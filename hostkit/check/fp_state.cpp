#include "check/fp_state.hpp"

#include <array>
#include <cstdio>

#if defined(__x86_64__) || defined(__i386__)
#include <xmmintrin.h>
#define PIPECORR_CHECK_SSE 1
#if defined(__i386__) || defined(_WIN32)
#define PIPECORR_CHECK_X87 1
#endif
#else
#include <cfenv>
#endif

namespace pipecorr::hostkit {
namespace {

#if defined(PIPECORR_CHECK_SSE)
// MXCSR: flags in bits 0-5, masks in 7-12, rounding in 13-14, flush-to-zero
// in 15 and denormals-are-zero in 6.
constexpr std::uint32_t kQuietMxcsr = 0x1F80U;
constexpr std::uint32_t kTrapsMxcsr = 0x1F80U & ~(0x0080U | 0x0200U | 0x0400U);
constexpr std::uint32_t kAllFlags = 0x003FU;
constexpr std::uint32_t kFlushToZero = 0x8040U;
constexpr std::uint32_t kDown = 0x2000U;
constexpr std::uint32_t kUp = 0x4000U;
constexpr std::uint32_t kTowardZero = 0x6000U;
#else
constexpr std::uint32_t kQuietMxcsr = 0;
constexpr std::uint32_t kTrapsMxcsr = 0;
constexpr std::uint32_t kAllFlags = 0x3F00U;  // flags above the mode
constexpr std::uint32_t kFlushToZero = 0;
constexpr std::uint32_t kDown = 1;
constexpr std::uint32_t kUp = 2;
constexpr std::uint32_t kTowardZero = 3;
#endif

#if defined(PIPECORR_CHECK_X87)
// x87 control word: masks in bits 0-5 (bit 6 reads as 1), precision in 8-9,
// rounding in 10-11. The traps are those of MXCSR; the flags a host may
// already have raised are the masked ones only, since a pending unmasked
// x87 flag would fire at the host's own next instruction.
constexpr std::uint16_t kQuietX87 = 0x037F;
constexpr std::uint16_t kTrapsX87 = 0x037F & ~0x000D;
// Exception and stack-fault flags. The summary bit is left out: it only
// follows from the flags and the masks (and emulators keep it loosely).
constexpr std::uint16_t kX87Flags = 0x007F;
constexpr std::uint16_t kX87MaskedFlags = 0x0030;  // underflow, precision

struct X87Environment {  // fnstenv's 28-byte image in 32-bit form
  std::uint32_t control;
  std::uint32_t status;
  std::uint32_t rest[5];
};
#else
constexpr std::uint16_t kTrapsX87 = 0;
constexpr std::uint16_t kX87MaskedFlags = 0;
#endif

// The x87 control word with other rounding or precision bits; zero where
// the x87 unit is not compared.
constexpr std::uint16_t x87_rounding(std::uint16_t bits) {
  return kTrapsX87 == 0 ? 0 : static_cast<std::uint16_t>(kTrapsX87 | bits);
}
constexpr std::uint16_t x87_precision(std::uint16_t cleared) {
  return static_cast<std::uint16_t>(kTrapsX87 & ~cleared);
}

constexpr std::array<HostFpSetting, 8> kSettings{{
    {"nearest", "round to nearest, traps enabled", {kTrapsMxcsr, kTrapsX87, 0}},
    {"flags-raised",
     "round to nearest, traps enabled, every flag the host may hold already "
     "raised",
     {kTrapsMxcsr | kAllFlags, kTrapsX87, kX87MaskedFlags}},
    {"downward",
     "round toward minus infinity, traps enabled",
     {kTrapsMxcsr | kDown, x87_rounding(0x0400), 0}},
    {"upward",
     "round toward plus infinity, traps enabled",
     {kTrapsMxcsr | kUp, x87_rounding(0x0800), 0}},
    {"toward-zero",
     "round toward zero, traps enabled",
     {kTrapsMxcsr | kTowardZero, x87_rounding(0x0C00), 0}},
    {"flush-to-zero",
     "round to nearest, traps enabled, subnormals flushed to zero",
     {kTrapsMxcsr | kFlushToZero, kTrapsX87, 0}},
    {"x87-double",
     "x87 at double precision (53 bits), traps enabled",
     {kTrapsMxcsr, x87_precision(0x0100), 0}},
    {"x87-single",
     "x87 at single precision (24 bits), traps enabled",
     {kTrapsMxcsr, x87_precision(0x0300), 0}},
}};

std::string hex(unsigned value, int digits) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*x", digits, value);
  return text;
}

std::string_view rounding_name(unsigned bits) {
  constexpr std::array<std::string_view, 4> kNames{"nearest", "downward",
                                                   "upward", "toward-zero"};
  return kNames[bits & 3U];
}

// Names of the set bits of a six-bit exception field, in the order both
// units use: invalid, denormal, divide-by-zero, overflow, underflow,
// precision.
std::string exception_names(unsigned bits) {
  constexpr std::array<std::string_view, 6> kNames{"invalid",        "denormal",
                                                   "divide-by-zero", "overflow",
                                                   "underflow",      "inexact"};
  std::string out;
  for (unsigned k = 0; k < kNames.size(); ++k) {
    if ((bits & (1U << k)) == 0) continue;
    if (!out.empty()) out += ' ';
    out += kNames[k];
  }
  return out.empty() ? "none" : out;
}

#if defined(PIPECORR_CHECK_SSE)
unsigned sse_rounding(std::uint32_t mxcsr) { return (mxcsr >> 13) & 3U; }
unsigned sse_traps(std::uint32_t mxcsr) { return ~(mxcsr >> 7) & 0x3FU; }
#else
unsigned sse_rounding(std::uint32_t mode) { return mode & 3U; }
unsigned sse_traps(std::uint32_t) { return 0; }
#endif

void add_change(std::string& out, const std::string& text) {
  if (!out.empty()) out += "; ";
  out += text;
}

void describe_flag_change(std::string& out, std::string_view unit,
                          unsigned before, unsigned after) {
  if (const unsigned raised = after & ~before) {
    add_change(out,
               std::string(unit) + exception_names(raised) + " flag(s) raised");
  }
  if (const unsigned cleared = before & ~after) {
    add_change(
        out, std::string(unit) + exception_names(cleared) + " flag(s) cleared");
  }
}

}  // namespace

bool checks_x87() {
#if defined(PIPECORR_CHECK_X87)
  return true;
#else
  return false;
#endif
}

std::span<const HostFpSetting> host_fp_settings() {
  return checks_x87() ? std::span(kSettings) : std::span(kSettings).first(6);
}

const HostFpSetting* find_host_fp_setting(std::string_view name) {
  for (const auto& setting : host_fp_settings()) {
    if (setting.name == name) return &setting;
  }
  return nullptr;
}

std::string host_fp_setting_names() {
  std::string names;
  for (const auto& setting : host_fp_settings()) {
    if (!names.empty()) names += ", ";
    names += setting.name;
  }
  return names;
}

#if defined(PIPECORR_CHECK_SSE)
void enter_fp_state(const FpRegisters& state) noexcept {
#if defined(PIPECORR_CHECK_X87)
  __asm__ volatile("fnclex");
  if ((state.x87_status & kX87Flags) != 0) {
    // Flags can only be placed through the environment image; the control
    // word in force meanwhile is the quiet one, so nothing traps.
    X87Environment env;
    __asm__ volatile("fnstenv %0" : "=m"(env));
    env.control = (env.control & 0xFFFF0000U) | kQuietX87;
    env.status = (env.status & ~std::uint32_t{kX87Flags}) |
                 (state.x87_status & kX87Flags);
    __asm__ volatile("fldenv %0" : : "m"(env));
  }
  __asm__ volatile("fldcw %0" : : "m"(state.x87_control));
#endif
  _mm_setcsr(state.mxcsr);
}

FpRegisters leave_fp_state() noexcept {
  FpRegisters state;
  state.mxcsr = _mm_getcsr();
  _mm_setcsr(kQuietMxcsr);
#if defined(PIPECORR_CHECK_X87)
  // Non-waiting forms: a pending unmasked flag left by the call must be
  // read, not fired.
  __asm__ volatile("fnstcw %0" : "=m"(state.x87_control));
  __asm__ volatile("fnstsw %0" : "=m"(state.x87_status));
  state.x87_status &= kX87Flags;
  const std::uint16_t quiet = kQuietX87;
  __asm__ volatile("fnclex");
  __asm__ volatile("fldcw %0" : : "m"(quiet));
#endif
  return state;
}
#else
namespace {
constexpr std::array<int, 4> kModes{FE_TONEAREST, FE_DOWNWARD, FE_UPWARD,
                                    FE_TOWARDZERO};
constexpr std::array<int, 6> kFlags{
    FE_INVALID, 0, FE_DIVBYZERO, FE_OVERFLOW, FE_UNDERFLOW, FE_INEXACT};
}  // namespace

// Without x86 registers: the rounding mode and the standard flags, no
// traps.
void enter_fp_state(const FpRegisters& state) noexcept {
  std::feclearexcept(FE_ALL_EXCEPT);
  std::fesetround(kModes[state.mxcsr & 3U]);
  for (unsigned k = 0; k < kFlags.size(); ++k) {
    if (kFlags[k] != 0 && (state.mxcsr & (0x100U << k)) != 0) {
      std::feraiseexcept(kFlags[k]);
    }
  }
}

FpRegisters leave_fp_state() noexcept {
  FpRegisters state;
  const int mode = std::fegetround();
  for (unsigned k = 0; k < kModes.size(); ++k) {
    if (kModes[k] == mode) state.mxcsr = k;
  }
  for (unsigned k = 0; k < kFlags.size(); ++k) {
    if (kFlags[k] != 0 && std::fetestexcept(kFlags[k]) != 0) {
      state.mxcsr |= 0x100U << k;
    }
  }
  std::feclearexcept(FE_ALL_EXCEPT);
  std::fesetround(FE_TONEAREST);
  return state;
}
#endif

std::string describe_fp_state(const FpRegisters& state) {
  std::string out;
#if defined(PIPECORR_CHECK_SSE)
  out = "mxcsr " + hex(state.mxcsr, 4) + " (rounding " +
        std::string(rounding_name(sse_rounding(state.mxcsr))) + ", traps " +
        exception_names(sse_traps(state.mxcsr)) + ", flags " +
        exception_names(state.mxcsr & kAllFlags) +
        ((state.mxcsr & kFlushToZero) != 0 ? ", flush-to-zero" : "") + ")";
#else
  out = "rounding " + std::string(rounding_name(state.mxcsr & 3U)) +
        ", flags " + exception_names((state.mxcsr >> 8) & 0x3FU);
#endif
#if defined(PIPECORR_CHECK_X87)
  out += ", x87 control " + hex(state.x87_control, 4) + " status " +
         hex(state.x87_status, 2) + " (rounding " +
         std::string(rounding_name((state.x87_control >> 10) & 3U)) +
         ", flags " + exception_names(state.x87_status & 0x3FU) + ")";
#endif
  return out;
}

std::string describe_fp_change(const FpRegisters& before,
                               const FpRegisters& after) {
  std::string out;
#if defined(PIPECORR_CHECK_SSE)
  describe_flag_change(out, "", before.mxcsr & kAllFlags,
                       after.mxcsr & kAllFlags);
  if (sse_traps(before.mxcsr) != sse_traps(after.mxcsr)) {
    add_change(out, "traps " + exception_names(sse_traps(before.mxcsr)) +
                        " became " + exception_names(sse_traps(after.mxcsr)));
  }
  if ((before.mxcsr & kFlushToZero) != (after.mxcsr & kFlushToZero)) {
    add_change(out, "flush-to-zero/denormals-are-zero changed");
  }
#else
  describe_flag_change(out, "", (before.mxcsr >> 8) & 0x3FU,
                       (after.mxcsr >> 8) & 0x3FU);
#endif
  if (sse_rounding(before.mxcsr) != sse_rounding(after.mxcsr)) {
    add_change(out, "rounding " +
                        std::string(rounding_name(sse_rounding(before.mxcsr))) +
                        " became " +
                        std::string(rounding_name(sse_rounding(after.mxcsr))));
  }
#if defined(PIPECORR_CHECK_X87)
  describe_flag_change(out, "x87 ", before.x87_status & 0x3FU,
                       after.x87_status & 0x3FU);
  if (before.x87_control != after.x87_control) {
    add_change(out, "x87 control word " + hex(before.x87_control, 4) +
                        " became " + hex(after.x87_control, 4));
  }
  if ((before.x87_status & 0x40U) != (after.x87_status & 0x40U)) {
    add_change(out, "x87 stack-fault bit changed");
  }
#endif
  if (out.empty() && !(before == after)) out = "registers changed";
  return out;
}

}  // namespace pipecorr::hostkit
