// What a correlation hands back to the host, as values, and the one place
// those values are written into the host's output variables.
#pragma once

#include <cstdint>
#include <string_view>

#include "log/fixed_text.hpp"
#include "pipecorr/pipecorr.h"

namespace pipecorr::entry {

// A correlation's results in the host's units. On failure (ierr 3) the
// gradient and holdup are 0, there is no pattern, and `reason` follows the
// failure head in errmsg (an empty reason leaves the head alone).
struct Results {
  double dp = 0.0;      // Pa/m, positive when pressure falls along the flow
  double holdup = 0.0;  // liquid holdup, fraction
  std::int32_t id = PIPECORR_PATTERN_NONE;
  std::int32_t iaux = 0;
  std::int32_t ierr = PIPECORR_OK;
  std::string_view reason;  // static text
};

// The failure result every correlation entry documents.
[[nodiscard]] inline Results failure(std::string_view reason) noexcept {
  Results r;
  r.ierr = PIPECORR_NO_FLOW_REGIME;
  r.reason = reason;
  return r;
}

// The host's output variables of one call. Real is float for the
// single-precision argument list, double for the double one.
template <typename Real>
struct HostOutputs {
  Real* dp;
  Real* holdup;
  std::int32_t* id;
  std::int32_t* iaux;
  std::int32_t* ierr;
  char* errmsg;  // exactly kMessageLength characters
};

// Writes every output, errmsg in full: blanks on success, the failure head
// and the reason otherwise. A Real of float takes values a single-precision
// entry has already rounded to float, so the conversion is exact.
template <typename Real>
void write_results(const HostOutputs<Real>& out, const Results& r) noexcept {
  *out.dp = static_cast<Real>(r.dp);
  *out.holdup = static_cast<Real>(r.holdup);
  *out.id = r.id;
  *out.iaux = r.iaux;
  *out.ierr = r.ierr;
  if (r.ierr == PIPECORR_OK) {
    text::put_fixed(out.errmsg, text::kMessageLength, {});
  } else {
    text::put_message(out.errmsg, text::kFailureHead, r.reason);
  }
}

}  // namespace pipecorr::entry
