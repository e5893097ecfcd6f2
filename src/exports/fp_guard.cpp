// Saving and restoring the caller's floating-point state. The full
// feholdexcept/fesetenv pair stores the whole x87 environment and costs
// about a third of a correlation call; the state that matters is much
// smaller: MXCSR on x86-64, plus the x87 control and status words where the
// maths library uses the x87 unit.
#include "exports/boundary.hpp"

#if defined(__x86_64__) || defined(__i386__)
#include <xmmintrin.h>
#endif

namespace pipecorr::exports {

#if defined(__x86_64__) || defined(__i386__)
namespace {

// All exceptions masked, round to nearest, no flush-to-zero: the settings
// every result of the library is defined under.
constexpr unsigned kLibraryMxcsr = 0x1F80U;
// The sticky exception flags; every other bit is a setting.
constexpr unsigned kMxcsrFlags = 0x003FU;

#if defined(__i386__) || defined(_WIN32)
// All exceptions masked, 64-bit significand, round to nearest.
constexpr std::uint16_t kLibraryX87Control = 0x037F;
constexpr std::uint16_t kX87Flags = 0x00FF;  // exception, stack-fault, summary

std::uint16_t x87_control() noexcept {
  std::uint16_t control;
  __asm__ volatile("fnstcw %0" : "=m"(control));
  return control;
}

std::uint16_t x87_status() noexcept {
  std::uint16_t status;
  __asm__ volatile("fnstsw %0" : "=m"(status));
  return status;
}

void set_x87_control(std::uint16_t control) noexcept {
  __asm__ volatile("fldcw %0" : : "m"(control));
}

// The x87 environment image that fnstenv/fldenv use in 32-bit protected
// mode (28 bytes); only the status word is edited.
struct X87Environment {
  std::uint32_t control;
  std::uint32_t status;
  std::uint32_t rest[5];
};

// Puts back the caller's exception flags, dropping those the library raised.
// Done while the library's masked control word is in force, so that nothing
// traps before the caller's control word returns.
void restore_x87_flags(std::uint16_t caller_status) noexcept {
  const std::uint16_t now = x87_status();
  if ((now & kX87Flags) == (caller_status & kX87Flags)) return;
  if ((caller_status & kX87Flags) == 0) {
    __asm__ volatile("fnclex");
    return;
  }
  X87Environment env;
  __asm__ volatile("fnstenv %0" : "=m"(env));
  env.status =
      (env.status & ~std::uint32_t{kX87Flags}) | (caller_status & kX87Flags);
  __asm__ volatile("fldenv %0" : : "m"(env));
}
#endif

}  // namespace

// Reading MXCSR costs as much as writing it, so it is read once, on entry.
// A setting is written on entry only when the host's differs from the
// library's (the host's flags may stay raised meanwhile: no result reads
// them). On return MXCSR always gets the host's value back, which also
// drops the flags the library raised; the x87 control word, which nothing
// in the library leaves changed, only when the entry changed it.
FpEnvironmentGuard::FpEnvironmentGuard() noexcept : mxcsr_(_mm_getcsr()) {
#if defined(__i386__) || defined(_WIN32)
  x87_control_ = x87_control();
  x87_status_ = x87_status();
  if (x87_control_ != kLibraryX87Control) set_x87_control(kLibraryX87Control);
#endif
  if ((mxcsr_ & ~kMxcsrFlags) != kLibraryMxcsr) _mm_setcsr(kLibraryMxcsr);
}

FpEnvironmentGuard::~FpEnvironmentGuard() {
#if defined(__i386__) || defined(_WIN32)
  restore_x87_flags(x87_status_);
  if (x87_control_ != kLibraryX87Control) set_x87_control(x87_control_);
#endif
  _mm_setcsr(mxcsr_);
}

#else

FpEnvironmentGuard::FpEnvironmentGuard() noexcept {
  std::feholdexcept(&env_);
  std::fesetround(FE_TONEAREST);
}

FpEnvironmentGuard::~FpEnvironmentGuard() { std::fesetenv(&env_); }

#endif

}  // namespace pipecorr::exports
