// A host that runs with floating-point traps enabled, or another rounding
// mode, must survive every call and find its settings and flags as it left
// them.
#include <gtest/gtest.h>

#include <cstdint>

#include "exports/boundary.hpp"

#if defined(__x86_64__) || defined(__i386__)
#include <xmmintrin.h>

namespace pipecorr::exports {
namespace {

constexpr unsigned kTrapsOfInterest =
    _MM_MASK_DIV_ZERO | _MM_MASK_INVALID | _MM_MASK_OVERFLOW;

// Work that raises divide-by-zero, invalid and overflow in SSE.
double raise_sse_flags() {
  volatile double zero = 0.0;
  volatile double big = 1e308;
  volatile double r = 1.0 / zero;
  r = r + zero / zero;
  r = r + big * big;
  return r;
}

class HostWithTraps : public ::testing::Test {
 protected:
  void SetUp() override { saved_ = _mm_getcsr(); }
  void TearDown() override { _mm_setcsr(saved_); }
  unsigned saved_ = 0;
};

TEST_F(HostWithTraps, SseTrapsUnmaskedSurviveAndStayUnmasked) {
  const unsigned host = (0x1F80U & ~kTrapsOfInterest) | _MM_ROUND_TOWARD_ZERO;
  _mm_setcsr(host);
  double inside = 0.0;
  at_boundary([&] { inside = raise_sse_flags(); });
  const unsigned after = _mm_getcsr();
  _mm_setcsr(saved_);
  EXPECT_EQ(after, host);
  EXPECT_NE(inside, 0.0);
}

TEST_F(HostWithTraps, HostFlagsSetBeforeTheCallAreKept) {
  const unsigned host = 0x1F80U | _MM_EXCEPT_INEXACT;
  _mm_setcsr(host);
  at_boundary([] { raise_sse_flags(); });
  const unsigned after = _mm_getcsr();
  _mm_setcsr(saved_);
  EXPECT_EQ(after, host);
}

// A host already running with the library's settings: nothing is loaded
// on entry, and the flags the library raises are dropped on return.
TEST_F(HostWithTraps, HostWithTheLibrarysSettingsFindsNoNewFlags) {
  for (const unsigned host : {0x1F80U, 0x1F80U | _MM_EXCEPT_DENORM}) {
    _mm_setcsr(host);
    at_boundary([] { raise_sse_flags(); });
    const unsigned after = _mm_getcsr();
    _mm_setcsr(saved_);
    EXPECT_EQ(after, host);
  }
}

TEST_F(HostWithTraps, LibraryWorksRoundingToNearestWhateverTheHostUses) {
  volatile double third_nearest = 0.0;
  volatile double one = 1.0;
  volatile double three = 3.0;
  third_nearest = one / three;
  double inside = 0.0;
  _mm_setcsr(0x1F80U | _MM_ROUND_UP);
  at_boundary([&] { inside = one / three; });
  const unsigned after = _mm_getcsr();
  _mm_setcsr(saved_);
  EXPECT_EQ(inside, third_nearest);
  EXPECT_EQ(after & _MM_ROUND_MASK, unsigned{_MM_ROUND_UP});
}

// A body that throws after raising flags still hands the host back its own
// state, and the export's failure handler runs once.
TEST_F(HostWithTraps, AnExceptionEndsInTheHandlerWithTheHostsState) {
  const unsigned host = (0x1F80U & ~kTrapsOfInterest) | _MM_ROUND_DOWN;
  _mm_setcsr(host);
  int handled = 0;
  at_boundary(
      [] {
        raise_sse_flags();
        throw 42;
      },
      [&handled] { ++handled; });
  const unsigned after = _mm_getcsr();
  _mm_setcsr(saved_);
  EXPECT_EQ(after, host);
  EXPECT_EQ(handled, 1);
}

#if defined(__i386__) || defined(_WIN32)
std::uint16_t x87_control() {
  std::uint16_t cw;
  __asm__ volatile("fnstcw %0" : "=m"(cw));
  return cw;
}
std::uint16_t x87_status() {
  std::uint16_t sw;
  __asm__ volatile("fnstsw %0" : "=m"(sw));
  return sw;
}
void set_x87_control(std::uint16_t cw) {
  __asm__ volatile("fldcw %0" : : "m"(cw));
}

// x87 arithmetic raising divide-by-zero and invalid.
long double raise_x87_flags() {
  volatile long double zero = 0.0L;
  volatile long double r = 1.0L / zero;
  r = r + zero / zero;
  return r;
}

TEST(HostWithX87Traps, UnmaskedX87SurvivesAndIsRestored) {
  const std::uint16_t saved = x87_control();
  __asm__ volatile("fnclex");
  const std::uint16_t host = 0x0372;  // zero-divide, invalid, overflow unmasked
  set_x87_control(host);
  at_boundary([] { raise_x87_flags(); });
  const std::uint16_t after_control = x87_control();
  const std::uint16_t after_status = x87_status();
  set_x87_control(saved);
  EXPECT_EQ(after_control, host);
  EXPECT_EQ(after_status & 0x00FF, 0);
}
#endif

}  // namespace
}  // namespace pipecorr::exports

#else
TEST(Boundary, NotX86) { GTEST_SKIP() << "x86 floating-point state only"; }
#endif
