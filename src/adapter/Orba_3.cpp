#include "adapter/Orba_3.hpp"

#include <algorithm>
#include <cmath>

#include "adapter/orba_adapter.hpp"
#include "adapter/orba_trace.hpp"
#include "adapter/pattern_code.hpp"
#include "twpc20.h"

namespace pipecorr::orba {
namespace {

// Element numbers of the output vector, 1-based as the engine counts.
constexpr std::size_t kHoldup = 1;
constexpr std::size_t kFriction = 2;
constexpr std::size_t kGravity = 3;
constexpr std::size_t kAcceleration = 4;
constexpr std::size_t kPattern = 55;

constexpr double element(const std::array<double, kVecoutLength>& vecout,
                         std::size_t number) {
  return vecout[number - 1];
}

// What the host gets when no sound result exists (a NaN input, a
// non-finite engine output): never a NaN or an infinity, but error 3 with
// zero gradient and holdup and no pattern.
Results invalid_input() noexcept { return entry::failure(kInvalidInputReason); }

void answer_xinfo(double* xinfo,
                  const std::array<double, kVecoutLength>& vecout) noexcept {
  if (requests_vecout(xinfo[0])) {
    std::copy(vecout.begin(), vecout.end(), xinfo);
  } else {
    xinfo[0] = kXinfoMarker;
  }
}

// What a point answers for the engine's vector when the engine was not
// called for it: zeros, as before any engine call, matching the failure
// result (holdup 0, gradient 0, no pattern number).
constexpr std::array<double, kVecoutLength> kNoEngineCall{};

Adapter process_adapter;

}  // namespace

bool requests_vecout(double xinfo1) noexcept {
  return xinfo1 > -1000.0 && xinfo1 < -998.0;
}

Results Adapter::call(Engine engine, double* xinfo, const HostInputs& in) {
  trace_entry(in);
  const auto screened = screen(in);
  if (!screened) {
    // The persistent vector stays as the last engine call left it, for the
    // next call; this point only reports that it had no engine result.
    trace_engine_not_called();
    const Results r = invalid_input();
    answer_xinfo(xinfo, kNoEngineCall);
    trace_exit({r.holdup, kNoEngineCall, r.dp, 0.0, 0, r.id});
    return r;
  }

  EngineCall engine_call;
  engine_call.in = *screened;
  trace_engine_call(engine_call);
  call_engine(engine, engine_call, vecout_);
  trace_engine_return();

  const double holdup = element(vecout_, kHoldup);
  // The engine's own summation order.
  const double dp =
      (element(vecout_, kGravity) + element(vecout_, kAcceleration)) +
      element(vecout_, kFriction);
  const double ptclc = element(vecout_, kPattern);
  const std::int32_t iflowp = truncate_pattern(ptclc);

  const bool usable =
      std::isfinite(holdup) && std::isfinite(element(vecout_, kFriction)) &&
      std::isfinite(element(vecout_, kGravity)) &&
      std::isfinite(element(vecout_, kAcceleration)) && std::isfinite(dp);
  Results r = invalid_input();
  if (usable) {
    r = Results{};
    r.holdup = holdup;
    r.dp = dp;
    r.id = host_pattern_code(iflowp);
  }
  answer_xinfo(xinfo, vecout_);
  trace_exit({r.holdup, vecout_, r.dp, ptclc, iflowp, r.id});
  return r;
}

void orba_3(Engine engine, double* xinfo, const double* usl, const double* usg,
            const double* rol, const double* rog, const double* visl,
            const double* visg, const double* eps, const double* sigma,
            const double* diam, const double* fi, const double* p, double* dp,
            double* holdup, std::int32_t* id, std::int32_t* iaux,
            std::int32_t* ierr, char* errmsg) {
  const Results r = process_adapter.call(
      engine, xinfo,
      entry::read_host_inputs(usl, usg, rol, rog, visl, visg, eps, sigma, diam,
                              fi, p));
  entry::write_results<double>({dp, holdup, id, iaux, ierr, errmsg}, r);
}

void orba_3(double* xinfo, const double* usl, const double* usg,
            const double* rol, const double* rog, const double* visl,
            const double* visg, const double* eps, const double* sigma,
            const double* diam, const double* fi, const double* p, double* dp,
            double* holdup, std::int32_t* id, std::int32_t* iaux,
            std::int32_t* ierr, char* errmsg) {
  // The one place the plug-in binds the imported engine routine.
  orba_3(&TWPC20, xinfo, usl, usg, rol, rog, visl, visg, eps, sigma, diam, fi,
         p, dp, holdup, id, iaux, ierr, errmsg);
}

}  // namespace pipecorr::orba
