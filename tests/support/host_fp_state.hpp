// The floating-point state a host may run the library in, set just before a
// call and read back just after it: SSE control and flags, and on 32-bit x86
// and Windows the x87 control word and flags too. Traps for divide-by-zero,
// invalid and overflow are always enabled, so a stray flag inside the call
// would stop the test with SIGFPE.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#if defined(__x86_64__) || defined(__i386__)
#include <xmmintrin.h>
#define PIPECORR_HAS_X86_STATE 1
#endif

namespace pipecorr::testing {

#if defined(PIPECORR_HAS_X86_STATE)
class HostFpState {
 public:
  // A state from a counter: each rounding mode, flush-to-zero and
  // denormals-are-zero on and off, SSE flags already raised or not.
  static HostFpState hostile(unsigned n) {
    HostFpState s;
    constexpr unsigned kTraps = 0x0004 | 0x0001 | 0x0008;  // DZ, IE, OE
    constexpr unsigned kRounding[4] = {0x0000, 0x2000, 0x4000, 0x6000};
    s.mxcsr = (0x1F80U & ~(kTraps << 7)) | kRounding[n % 4];
    if ((n / 4) % 2) s.mxcsr |= 0x8040U;  // flush-to-zero, denormals-are-zero
    if ((n / 8) % 2) s.mxcsr |= 0x0021U;  // inexact and invalid already raised
#if defined(__i386__) || defined(_WIN32)
    // x87: the same traps unmasked, no flag pending (a pending unmasked x87
    // flag would fire at the host's own next instruction).
    s.x87_control =
        static_cast<std::uint16_t>((0x037F & ~kTraps) | ((n % 4) << 10));
#endif
    return s;
  }

  // Puts this state in force. The caller makes no floating-point operation
  // of its own until leave().
  void enter() const {
#if defined(__i386__) || defined(_WIN32)
    __asm__ volatile("fnclex");
    __asm__ volatile("fldcw %0" : : "m"(x87_control));
#endif
    _mm_setcsr(mxcsr);
  }

  // The state now in force; then the test's own quiet state again.
  static HostFpState leave() {
    HostFpState s;
    s.mxcsr = _mm_getcsr();
    _mm_setcsr(0x1F80U);
#if defined(__i386__) || defined(_WIN32)
    __asm__ volatile("fnstcw %0" : "=m"(s.x87_control));
    __asm__ volatile("fnstsw %0" : "=m"(s.x87_status));
    s.x87_status &= 0x00FF;
    const std::uint16_t quiet = 0x037F;
    __asm__ volatile("fnclex");
    __asm__ volatile("fldcw %0" : : "m"(quiet));
#endif
    return s;
  }

  bool operator==(const HostFpState& other) const {
    return mxcsr == other.mxcsr && x87_control == other.x87_control &&
           x87_status == other.x87_status;
  }

  [[nodiscard]] std::string text() const {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "mxcsr %04x x87 cw %04x sw %02x",
                  mxcsr, x87_control, x87_status);
    return buffer;
  }

  unsigned mxcsr = 0x1F80U;
  std::uint16_t x87_control = 0;
  std::uint16_t x87_status = 0;
};
#else
// Elsewhere only the absence of a crash and the results are checked.
class HostFpState {
 public:
  static HostFpState hostile(unsigned) { return {}; }
  void enter() const {}
  static HostFpState leave() { return {}; }
  bool operator==(const HostFpState&) const { return true; }
  [[nodiscard]] std::string text() const { return {}; }
};
#endif

}  // namespace pipecorr::testing
