// A third-party plug-in written carelessly in C++, built only for the tests
// of the Python package: one correlation lets C++ exceptions out of its C
// entry, another takes its time, so a host's loop can be caught mid-way.
//
// THROW_3
//   dp = 1 Pa/m, holdup 0.5, id 7, except where the pressure picks a fault:
//   p = 1 Pa   throws std::runtime_error("THROW_3 gave up at p = 1 Pa")
//   p = 2 Pa   throws std::bad_alloc, as when memory runs out
//   p = 3 Pa   throws an int, which is no std::exception at all
//   p = 4 Pa   waits until another call waits here too (10 s at most),
//              then throws std::runtime_error("THROW_3 met a twin"): two
//              threads that meet an exception at once
// SLOW_3
//   the plain result of THROW_3 after sleeping 2 ms, so a loop over many points
//   lasts long enough to be interrupted.
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <new>
#include <stdexcept>
#include <thread>

#include "pipecorr/pipecorr.h"

#if defined(_WIN32)
#define THROWING_EXPORT extern "C" __declspec(dllexport)
#else
#define THROWING_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace {

void put_text(char* field, std::size_t length, const char* text) {
  std::size_t used = std::strlen(text);
  if (used > length) used = length;
  std::memcpy(field, text, used);
  std::memset(field + used, ' ', length - used);
}

void plain_result(double* xinfo, double* dp, double* holdup, int32_t* id,
                  int32_t* iaux, int32_t* ierr, char* errmsg) {
  xinfo[0] = 3.0;
  *dp = 1.0;
  *holdup = 0.5;
  *id = PIPECORR_PATTERN_INTERMITTENT;
  *iaux = 0;
  *ierr = PIPECORR_OK;
  put_text(errmsg, PIPECORR_ERRMSG_LEN, "");
}

[[noreturn]] void throw_with_a_twin() {
  static std::atomic<int> waiting{0};
  ++waiting;
  const auto give_up =
      std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (waiting.load() < 2 && std::chrono::steady_clock::now() < give_up) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  throw std::runtime_error("THROW_3 met a twin");
}

}  // namespace

THROWING_EXPORT void PIPECORR_CALL DESCRIPTN_2(char* names, pipecorr_len,
                                               int32_t* types, char* descs,
                                               pipecorr_len, int32_t* link_info,
                                               int32_t* lines) {
  put_text(names, PIPECORR_NAME_LEN, "THROW_3");
  put_text(descs, PIPECORR_DESC_LEN, "Throws C++ exceptions at p = 1, 2, 3, 4");
  put_text(names + PIPECORR_NAME_LEN, PIPECORR_NAME_LEN, "SLOW_3");
  put_text(descs + PIPECORR_DESC_LEN, PIPECORR_DESC_LEN, "2 ms per call");
  for (int k = 0; k < 2; ++k) {
    types[k] = 1;
    link_info[k] = PIPECORR_LINK_DOUBLE;
  }
  *lines = 2;
}

THROWING_EXPORT void PIPECORR_CALL CORR_INT_SETUP(void) {}

THROWING_EXPORT void PIPECORR_CALL CORR_INT_CLEANUP(void) {}

THROWING_EXPORT void PIPECORR_CALL THROW_3(
    double* xinfo, const double*, const double*, const double*, const double*,
    const double*, const double*, const double*, const double*, const double*,
    const double*, const double* p, double* dp, double* holdup, int32_t* id,
    int32_t* iaux, int32_t* ierr, char* errmsg, pipecorr_len) {
  if (*p == 1.0) throw std::runtime_error("THROW_3 gave up at p = 1 Pa");
  if (*p == 2.0) throw std::bad_alloc();
  if (*p == 3.0) throw 3;
  if (*p == 4.0) throw_with_a_twin();
  plain_result(xinfo, dp, holdup, id, iaux, ierr, errmsg);
}

THROWING_EXPORT void PIPECORR_CALL SLOW_3(
    double* xinfo, const double*, const double*, const double*, const double*,
    const double*, const double*, const double*, const double*, const double*,
    const double*, const double*, double* dp, double* holdup, int32_t* id,
    int32_t* iaux, int32_t* ierr, char* errmsg, pipecorr_len) {
  std::this_thread::sleep_for(std::chrono::milliseconds(2));
  plain_result(xinfo, dp, holdup, id, iaux, ierr, errmsg);
}
