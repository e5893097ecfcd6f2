#include "check/strict_call.hpp"

#include "check/promises.hpp"

namespace pipecorr::hostkit {

StrictOutcome strict_call(const Correlation& correlation,
                          const FlowInputs& inputs,
                          const StrictOptions& options) {
  const HostFpSetting* host =
      options.host != nullptr ? options.host : &host_fp_settings().front();
  const CallPlan plan{inputs, host, options.xinfo_request};
  StrictOutcome outcome;
  outcome.first =
      guarded_call(correlation.address(), correlation.single_precision(), plan);
  const auto note = [&](const char* check, std::optional<Violation> found) {
    if (found) {
      outcome.broken.push_back(std::string(check) + ": got " + found->got +
                               "; expected " + found->expected);
    }
  };
  note("returns", judge_returned(outcome.first));
  if (!outcome.first.escaped.empty()) return outcome;
  note("fp-state", judge_fp_state(outcome.first));
  note("result", judge_result(outcome.first.outputs));
  note("errmsg", judge_errmsg(outcome.first.outputs));
  note("no-overrun", judge_stray_write(outcome.first));
  const CallRecord again =
      guarded_call(correlation.address(), correlation.single_precision(), plan);
  if (!same_bits(outcome.first.outputs, again.outputs)) {
    outcome.broken.push_back(
        "repeatable: got " +
        first_difference(outcome.first.outputs, again.outputs) +
        " from the same call made twice; expected the same bits");
  }
  return outcome;
}

FlowResult as_flow_result(const CallOutputs& outputs) {
  FlowResult result;
  result.dp = outputs.dp;
  result.holdup = outputs.holdup;
  result.id = outputs.id;
  result.iaux = outputs.iaux;
  result.ierr = outputs.ierr;
  result.errmsg = outputs.errmsg;
  return result;
}

}  // namespace pipecorr::hostkit
