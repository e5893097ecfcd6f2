// The boundary of the correlation entries: an exception that reaches it
// becomes the correlation's failure result, never a terminated host.
#pragma once

#include <string_view>

#include "entry/results.hpp"
#include "exports/boundary.hpp"

namespace pipecorr::exports {

inline constexpr std::string_view kInternalErrorReason = "internal error";

// The host's output variables of one correlation call. Real is float for
// the single-precision argument list and double for the double one.
template <typename Real>
using CorrelationOutputs = entry::HostOutputs<Real>;

// The failure result every correlation entry documents: zero gradient and
// holdup, no pattern, error 3 and the reason after the failure head.
template <typename Real>
void write_internal_error(const CorrelationOutputs<Real>& out) noexcept {
  entry::write_results(out, entry::failure(kInternalErrorReason));
}

template <typename Real, typename Body>
void correlation_at_boundary(const CorrelationOutputs<Real>& out,
                             Body&& body) noexcept {
  at_boundary(body, [&out]() noexcept { write_internal_error(out); });
}

}  // namespace pipecorr::exports
