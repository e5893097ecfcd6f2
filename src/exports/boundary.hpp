// What a host must never see from a call into the library: a floating-point
// trap, changed floating-point settings or flags, or an exception.
#pragma once

#include <cstdint>

#if !(defined(__x86_64__) || defined(__i386__))
#include <cfenv>
#endif

namespace pipecorr::exports {

// Saves the caller's floating-point control and status on construction,
// masks every exception and selects round-to-nearest for the library's own
// work, and puts the caller's state back exactly on destruction. Hosts may
// run with exceptions unmasked or another rounding mode; the results must
// not depend on either.
class FpEnvironmentGuard {
 public:
  FpEnvironmentGuard() noexcept;
  ~FpEnvironmentGuard();
  FpEnvironmentGuard(const FpEnvironmentGuard&) = delete;
  FpEnvironmentGuard& operator=(const FpEnvironmentGuard&) = delete;

 private:
#if defined(__x86_64__) || defined(__i386__)
  // SSE state: the library's own arithmetic.
  std::uint32_t mxcsr_ = 0;
#if defined(__i386__) || defined(_WIN32)
  // x87 state: the 32-bit maths libraries (and some Windows ones) compute
  // on the x87 unit.
  std::uint16_t x87_control_ = 0;
  std::uint16_t x87_status_ = 0;
#endif
#else
  std::fenv_t env_{};
#endif
};

// Runs one export's work behind the guard. Nothing thrown leaves it: the
// bodies it wraps are deliberately not noexcept, so that an exception from
// anywhere below (an engine, the runtime) arrives here instead of ending the
// host's process in std::terminate, and `on_exception` then writes the
// export's defined result. The guard restores the host's floating-point
// state on either path.
template <typename Body, typename OnException>
void at_boundary(Body&& body, OnException&& on_exception) noexcept {
  const FpEnvironmentGuard guard;
  try {
    body();
  } catch (...) {
    on_exception();
  }
}

// For the exports that have no result to report a failure in.
template <typename Body>
void at_boundary(Body&& body) noexcept {
  at_boundary(body, [] {});
}

}  // namespace pipecorr::exports
