// One call of a correlation export the way the check makes it: every output
// in its own buffer between canary bytes, the inputs kept aside to see they
// are not written, and the host floating-point state set just before the
// call and read just after it.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "check/fp_state.hpp"
#include "plugin/flow_point.hpp"

namespace pipecorr::hostkit {

struct CallPlan {
  FlowInputs inputs;
  const HostFpSetting* host = nullptr;  // never null when called
  // xinfo[0] = -999 before the call: the diagnostic request, which allows
  // the plug-in to write 70 elements instead of one.
  bool xinfo_request = false;
};

// The outputs whose bits must repeat, widened to double (exactly, for the
// single-precision list).
struct CallOutputs {
  double xinfo0 = 0.0;
  double dp = 0.0;
  double holdup = 0.0;
  std::int32_t id = 0;
  std::int32_t iaux = 0;
  std::int32_t ierr = 0;
  std::array<char, kMessageLength> errmsg{};
};

// Bitwise equality (NaN equals itself, 0 and -0 differ).
[[nodiscard]] bool same_bits(const CallOutputs& a, const CallOutputs& b);

// The first output whose bits differ, with both values: "dp 1.5 then 1.25".
[[nodiscard]] std::string first_difference(const CallOutputs& first,
                                           const CallOutputs& second);

struct CallRecord {
  // Empty when the call returned; otherwise how it left instead: a C++
  // exception that came out of the entry (the outputs then mean nothing).
  std::string escaped;
  CallOutputs outputs;
  // Empty when no byte outside the documented outputs changed; otherwise
  // where the first stray write landed ("errmsg[150]", "xinfo[1]", "input
  // usl").
  std::string stray_write;
  FpRegisters before;
  FpRegisters after;
  // From just before the host state is set to just after it is read back.
  double nanoseconds = 0.0;
};

// Calls the export at `address` with the single- or double-precision list.
// The inputs are rounded to float first for the single list. A C++
// exception that leaves the entry is caught and described in `escaped`
// (a host written in C would not survive it), so the battery goes on.
[[nodiscard]] CallRecord guarded_call(void* address, bool single_precision,
                                      const CallPlan& plan);

}  // namespace pipecorr::hostkit
