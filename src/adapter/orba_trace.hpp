// The adapter's four debug-log blocks. Each writes only when the log is on.
#pragma once

#include <array>
#include <cstdint>

#include "adapter/engine_call.hpp"
#include "adapter/screening.hpp"

namespace pipecorr::orba {

// Block 1: the host's raw values.
void trace_entry(const HostInputs& in) noexcept;
// Block 2: the values as the engine receives them.
void trace_engine_call(const EngineCall& call) noexcept;
// Block 3.
void trace_engine_return() noexcept;
// In place of blocks 2 and 3 when an input is NaN and the engine is not
// called.
void trace_engine_not_called() noexcept;

struct ExitTrace {
  double holdup;
  const std::array<double, kVecoutLength>& vecout;
  double dp;
  double ptclc;
  std::int32_t iflowp;
  std::int32_t id;
};

// Block 4: the results.
void trace_exit(const ExitTrace& out) noexcept;

}  // namespace pipecorr::orba
