// One point called the way `pipecorr check` calls it, for `pipecorr calc
// --strict`: the reproduction of a counter-example. The call runs in a
// host state with traps enabled (a trap ends the program, as it would end
// a host), between canaries, and is made twice.
#pragma once

#include <string>
#include <vector>

#include "check/fp_state.hpp"
#include "check/guarded_call.hpp"
#include "plugin/correlation.hpp"

namespace pipecorr::hostkit {

struct StrictOptions {
  const HostFpSetting* host = nullptr;  // null: the first ("nearest")
  bool xinfo_request = false;
};

struct StrictOutcome {
  CallRecord first;
  // The promises the call broke, one line each: "fp-state: got ...;
  // expected ...".
  std::vector<std::string> broken;
};

[[nodiscard]] StrictOutcome strict_call(const Correlation& correlation,
                                        const FlowInputs& inputs,
                                        const StrictOptions& options);

// The outputs as the host side's usual result (no reinterpretation of a
// non-finite result as a failure: strict shows what came back).
[[nodiscard]] FlowResult as_flow_result(const CallOutputs& outputs);

}  // namespace pipecorr::hostkit
