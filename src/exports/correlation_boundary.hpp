// The boundary of the three correlation entries: an exception that reaches
// it becomes the correlation's failure result, never a terminated host.
#pragma once

#include <cstdint>
#include <string_view>

#include "exports/boundary.hpp"
#include "log/fixed_text.hpp"
#include "pipecorr/pipecorr.h"

namespace pipecorr::exports {

inline constexpr std::string_view kInternalErrorReason = "internal error";

// The host's output variables of one correlation call. Real is float for
// BB_2 and double for BB_3 and ORBA_3.
template <typename Real>
struct CorrelationOutputs {
  Real* dp;
  Real* holdup;
  std::int32_t* id;
  std::int32_t* iaux;
  std::int32_t* ierr;
  char* errmsg;
};

// The failure result every correlation entry documents: zero gradient and
// holdup, no pattern, error 3 and the reason after the failure head.
template <typename Real>
void write_internal_error(const CorrelationOutputs<Real>& out) noexcept {
  *out.dp = Real{0};
  *out.holdup = Real{0};
  *out.id = PIPECORR_PATTERN_NONE;
  *out.iaux = 0;
  *out.ierr = PIPECORR_NO_FLOW_REGIME;
  text::put_message(out.errmsg, text::kFailureHead, kInternalErrorReason);
}

template <typename Real, typename Body>
void correlation_at_boundary(const CorrelationOutputs<Real>& out,
                             Body&& body) noexcept {
  at_boundary(body, [&out]() noexcept { write_internal_error(out); });
}

}  // namespace pipecorr::exports
