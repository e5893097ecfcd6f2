// The floating-point control and status state a host runs a plug-in in:
// set just before a call, read back just after it. Every host state the
// check uses enables the divide-by-zero, invalid and overflow traps, so a
// stray exception inside a call stops the process that made it.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace pipecorr::hostkit {

// The registers compared before and after a call: MXCSR (SSE control and
// flags) on x86, and the x87 control and status words where maths
// libraries compute on the x87 unit (32-bit x86 and Windows). Elsewhere
// `mxcsr` holds the <cfenv> rounding mode and flags.
struct FpRegisters {
  std::uint32_t mxcsr = 0;
  std::uint16_t x87_control = 0;
  std::uint16_t x87_status = 0;  // exception flags only
  bool operator==(const FpRegisters&) const = default;
};

// Whether this build compares the x87 unit too.
[[nodiscard]] bool checks_x87();

// A host state the check calls in, with a name for reports and options.
struct HostFpSetting {
  std::string_view name;
  std::string_view meaning;
  FpRegisters registers;
};

// The states of this build: round to nearest first, then flags already
// raised, each directed rounding mode, flush-to-zero, and on x87 builds two
// lower x87 precisions.
[[nodiscard]] std::span<const HostFpSetting> host_fp_settings();

// The setting of that name, or null.
[[nodiscard]] const HostFpSetting* find_host_fp_setting(std::string_view name);

// The setting names joined by ", ", for help texts and messages.
[[nodiscard]] std::string host_fp_setting_names();

// Puts a state in force. The caller computes nothing in floating point
// until leave_fp_state().
void enter_fp_state(const FpRegisters& state) noexcept;

// The state in force now; then all exceptions masked, round to nearest and
// no flags, the program's own quiet state.
[[nodiscard]] FpRegisters leave_fp_state() noexcept;

// "mxcsr 1900 (...)" with the rounding mode, traps and raised flags named.
[[nodiscard]] std::string describe_fp_state(const FpRegisters& state);

// What changed from `before` to `after`, in words ("invalid flag raised;
// rounding nearest became upward").
[[nodiscard]] std::string describe_fp_change(const FpRegisters& before,
                                             const FpRegisters& after);

}  // namespace pipecorr::hostkit
