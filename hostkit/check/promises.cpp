#include "check/promises.hpp"

#include <cmath>
#include <cstdio>

#include "numbers/number_text.hpp"

namespace pipecorr::hostkit {
namespace {

// What an integer output holds when the call never wrote it: the check's
// fill bytes (guarded_call.cpp).
constexpr std::int32_t kUnwrittenInteger =
    static_cast<std::int32_t>(0xA5A5A5A5U);

std::string integer_text(std::int32_t value) {
  return value == kUnwrittenInteger ? std::string("not written")
                                    : std::to_string(value);
}

std::string outputs_text(const CallOutputs& out) {
  return "ierr " + integer_text(out.ierr) + ", dp " + shortest(out.dp) +
         ", holdup " + shortest(out.holdup) + ", id " + integer_text(out.id);
}

std::string byte_text(unsigned char byte) {
  char text[8];
  std::snprintf(text, sizeof text, "0x%02x", static_cast<unsigned>(byte));
  return text;
}

}  // namespace

std::optional<Violation> judge_returned(const CallRecord& record) {
  if (record.escaped.empty()) return std::nullopt;
  return Violation{record.escaped,
                   "the call returns (no exception leaves a C entry)"};
}

std::optional<Violation> judge_result(const CallOutputs& out) {
  if (out.ierr == PIPECORR_OK) {
    if (!(std::isfinite(out.dp) && std::isfinite(out.holdup) &&
          out.holdup >= 0.0 && out.holdup <= 1.0)) {
      return Violation{outputs_text(out),
                       "with ierr 0 a finite dp and a finite holdup in [0, 1]"};
    }
    if (out.id == kUnwrittenInteger || out.iaux != 0) {
      return Violation{outputs_text(out) + ", iaux " + integer_text(out.iaux),
                       "with ierr 0 a flow-pattern code in id and iaux 0"};
    }
    return std::nullopt;
  }
  if (out.ierr == PIPECORR_NO_FLOW_REGIME) {
    if (out.dp == 0.0 && out.holdup == 0.0 && out.id == PIPECORR_PATTERN_NONE &&
        out.iaux == 0) {
      return std::nullopt;
    }
    return Violation{
        outputs_text(out) + ", iaux " + integer_text(out.iaux),
        "with ierr 3 the failure result: dp 0, holdup 0, id -1, iaux 0"};
  }
  return Violation{outputs_text(out),
                   "ierr 0 (success) or 3 (the one failure code)"};
}

std::optional<Violation> judge_errmsg(const CallOutputs& out) {
  const auto& text = out.errmsg;
  for (std::size_t k = 0; k < text.size(); ++k) {
    const auto byte = static_cast<unsigned char>(text[k]);
    if (byte >= 0x20 && byte <= 0x7E) continue;
    std::string got;
    if (byte == 0xA5) {
      // Still the canary: the rest of the field was never written.
      std::size_t written_to = k;
      got = "characters " + std::to_string(written_to + 1) + " to " +
            std::to_string(text.size()) + " not written";
    } else if (byte == 0) {
      got = "a terminator (NUL) at character " + std::to_string(k + 1);
    } else {
      got =
          "byte " + byte_text(byte) + " at character " + std::to_string(k + 1);
    }
    return Violation{
        got + " (text before it: \"" + std::string(text.data(), k) + "\")",
        "150 printable characters, blank-padded, no terminator"};
  }
  return std::nullopt;
}

std::optional<Violation> judge_stray_write(const CallRecord& record) {
  if (record.stray_write.empty()) return std::nullopt;
  return Violation{"a write to " + record.stray_write,
                   "writes only into the outputs, within their lengths"};
}

std::optional<Violation> judge_fp_state(const CallRecord& record) {
  if (record.after == record.before) return std::nullopt;
  return Violation{describe_fp_change(record.before, record.after) + ": " +
                       describe_fp_state(record.after),
                   "the host's state as before the call: " +
                       describe_fp_state(record.before)};
}

}  // namespace pipecorr::hostkit
