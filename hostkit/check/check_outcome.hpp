// What the check reports: one outcome per promise (of the library as a
// whole, or of one correlation), each with the first call that broke it,
// and figures that are measured rather than judged.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "plugin/flow_point.hpp"

namespace pipecorr::hostkit {

enum class Verdict { kPassed, kFailed, kNotApplicable };

[[nodiscard]] std::string_view verdict_name(Verdict verdict);

// The first call (or catalogue row, or session step) that broke a promise,
// with enough to make it again with `pipecorr calc`.
struct CounterExample {
  std::string correlation;  // empty for checks of the library as a whole
  std::string point;        // "diam = 0", "ordinary point 4", "row 2", ...
  std::optional<FlowInputs> inputs;
  std::string host_fp;  // a HostFpSetting name, empty when none applies
  bool xinfo_request = false;
  bool log = false;
  std::string got;
  std::string expected;
};

struct CheckOutcome {
  std::string subject;  // the correlation, empty for the library
  std::string id;       // "fp-state", "catalogue-names", ...
  Verdict verdict = Verdict::kPassed;
  std::string summary;  // what was seen, or why the check does not apply
  std::size_t cases = 0;
  std::size_t failures = 0;
  std::optional<CounterExample> example;
};

// A measurement: the median time per call, the patterns seen.
struct Figure {
  std::string subject;
  std::string name;   // "median_ns_per_call", "patterns", ...
  std::string value;  // a number or a short text
  std::string unit;   // "ns", "" ...
};

// Counts cases of one promise and keeps the first counter-example.
class Tally {
 public:
  void pass() { ++cases_; }
  void fail(CounterExample example) {
    ++cases_;
    if (failures_++ == 0) first_ = std::move(example);
  }
  [[nodiscard]] std::size_t cases() const { return cases_; }
  [[nodiscard]] std::size_t failures() const { return failures_; }
  [[nodiscard]] bool failed() const { return failures_ > 0; }

  // The outcome: failed with the first counter-example when any case
  // failed, else passed with `passed_summary`.
  [[nodiscard]] CheckOutcome outcome(std::string subject, std::string id,
                                     std::string passed_summary,
                                     std::string_view unit = "calls") const;

 private:
  std::size_t cases_ = 0;
  std::size_t failures_ = 0;
  std::optional<CounterExample> first_;
};

// An outcome that does not apply, with the reason.
[[nodiscard]] CheckOutcome not_applicable(std::string subject, std::string id,
                                          std::string reason);

}  // namespace pipecorr::hostkit
