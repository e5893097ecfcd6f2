// The promises every correlation call keeps, judged on one guarded call.
// Each judge returns what came back and what the interface promises, or
// nothing when the call kept the promise.
#pragma once

#include <optional>
#include <string>

#include "check/guarded_call.hpp"

namespace pipecorr::hostkit {

struct Violation {
  std::string got;
  std::string expected;
};

// The call came back (no exception left the entry). The other judges look
// only at calls that came back.
[[nodiscard]] std::optional<Violation> judge_returned(const CallRecord& record);

// ierr 0 or 3; with 0, dp and holdup finite, 0 <= holdup <= 1 and a
// flow-pattern code written to id; with 3, dp 0, holdup 0 and id -1; iaux
// 0 either way.
[[nodiscard]] std::optional<Violation> judge_result(const CallOutputs& out);

// errmsg: all 150 characters written, printable ASCII, blank-padded (no
// terminator, no control character).
[[nodiscard]] std::optional<Violation> judge_errmsg(const CallOutputs& out);

// No byte written outside the documented outputs (canaries around every
// buffer, xinfo past the elements allowed), no input written.
[[nodiscard]] std::optional<Violation> judge_stray_write(
    const CallRecord& record);

// The host's floating-point control and status state as before the call.
[[nodiscard]] std::optional<Violation> judge_fp_state(const CallRecord& record);

}  // namespace pipecorr::hostkit
