// The session protocol: a host may call the run setup and cleanup twice,
// the cleanup before any setup, and correlations before any setup. None of
// that may crash, and no result may depend on it. Every call is judged by
// the promises of every call as well; a correlation's broken promise is
// reported under the correlation's own check, which the parent merges
// with its battery's.
#include <array>
#include <memory>
#include <optional>

#include "check/catalogue_rows.hpp"
#include "check/child_job.hpp"
#include "check/guarded_call.hpp"
#include "check/probe_points.hpp"
#include "check/promises.hpp"

namespace pipecorr::hostkit {
namespace {

// Points per correlation: enough to see a result change, few enough that
// the protocol steps dominate.
constexpr std::size_t kSessionPoints = 3;

// The promises judged on each call, in the order the battery names them.
constexpr std::array<const char*, 5> kCallPromises{
    "returns", "fp-state", "result", "errmsg", "no-overrun"};

struct Target {
  CallableRow row;
  void* address = nullptr;
  std::vector<ProbePoint> points;
  std::array<Tally, kCallPromises.size()> promises;
};

// [target][point]; nothing where the call did not come back.
using Results = std::vector<std::vector<std::optional<CallOutputs>>>;

class Session {
 public:
  Session(const ChildJob& job, RecordSink& sink)
      : sink_(sink), library_(std::make_unique<PluginLibrary>(job.library)) {
    for (auto& row : callable_rows(*library_)) {
      Target target;
      target.address = library_->symbol(row.name.c_str());
      target.points = probe_points(job.seed, kSessionPoints,
                                   row.link_info == PIPECORR_LINK_SINGLE);
      target.points.resize(kSessionPoints);
      target.row = std::move(row);
      targets_.push_back(std::move(target));
    }
  }

  [[nodiscard]] bool empty() const { return targets_.empty(); }

  void step(std::string_view name, void (PluginLibrary::*routine)() const) {
    record_step(sink_, name);
    ++steps_;
    (library_.get()->*routine)();
  }

  // Every correlation at every point, in the host's plain state, each
  // call judged by the promises of every call.
  Results calls(const std::string& step_name) {
    Results results;
    for (auto& target : targets_) {
      results.emplace_back();
      for (std::size_t k = 0; k < target.points.size(); ++k) {
        CallPlan plan{target.points[k].inputs, &host_fp_settings().front(),
                      false};
        record_call(sink_, k, example(target, k, step_name));
        const CallRecord record = guarded_call(
            target.address, target.row.link_info == PIPECORR_LINK_SINGLE, plan);
        judge(record, target, k, step_name);
        results.back().push_back(record.escaped.empty()
                                     ? std::optional(record.outputs)
                                     : std::nullopt);
      }
    }
    ++steps_;
    return results;
  }

  // The broken call promises, one outcome per correlation and promise.
  void report_broken_promises() const {
    for (const auto& target : targets_) {
      for (std::size_t p = 0; p < kCallPromises.size(); ++p) {
        if (target.promises[p].failed()) {
          record_check(sink_, target.promises[p].outcome(target.row.name,
                                                         kCallPromises[p], ""));
        }
      }
    }
  }

  // Compares `found` with the reference results of a plain run.
  void compare(const Results& reference, const Results& found,
               const std::string& step_name, Tally& tally) const {
    for (std::size_t t = 0; t < targets_.size(); ++t) {
      for (std::size_t k = 0; k < reference[t].size(); ++k) {
        const auto& first = reference[t][k];
        const auto& then = found[t][k];
        if (!first || !then) continue;  // judged by session-calls
        if (same_bits(*first, *then)) {
          tally.pass();
          continue;
        }
        CounterExample bad = example(targets_[t], k, step_name);
        bad.got = first_difference(*first, *then);
        bad.expected =
            "the bits of the same call between CORR_INT_SETUP and "
            "CORR_INT_CLEANUP";
        tally.fail(bad);
      }
    }
  }

  [[nodiscard]] std::size_t steps() const { return steps_; }

 private:
  void judge(const CallRecord& record, Target& target, std::size_t k,
             const std::string& step_name) {
    // The outputs of a call that did not come back are not judged.
    const bool back = record.escaped.empty();
    const std::array<std::optional<Violation>, kCallPromises.size()> found{
        judge_returned(record), back ? judge_fp_state(record) : std::nullopt,
        back ? judge_result(record.outputs) : std::nullopt,
        back ? judge_errmsg(record.outputs) : std::nullopt,
        back ? judge_stray_write(record) : std::nullopt};
    for (std::size_t p = 0; p < found.size(); ++p) {
      if (!found[p]) {
        if (p == 0 || back) target.promises[p].pass();
        continue;
      }
      CounterExample bad = example(target, k, step_name);
      bad.got = found[p]->got;
      bad.expected = found[p]->expected;
      target.promises[p].fail(std::move(bad));
    }
  }

  CounterExample example(const Target& target, std::size_t k,
                         const std::string& step_name) const {
    CounterExample out;
    out.correlation = target.row.name;
    out.point = step_name + ": " + target.points[k].label;
    out.inputs = target.points[k].inputs;
    out.host_fp = host_fp_settings().front().name;
    return out;
  }

  RecordSink& sink_;
  std::unique_ptr<PluginLibrary> library_;
  std::vector<Target> targets_;
  std::size_t steps_ = 0;
};

}  // namespace

void run_session_job(const ChildJob& job, RecordSink& sink) {
  record_step(sink, "loading the plug-in");
  Session session(job, sink);
  const Results before_setup = session.calls("calls before CORR_INT_SETUP");
  session.step("CORR_INT_CLEANUP before any CORR_INT_SETUP",
               &PluginLibrary::run_cleanup);
  session.step("CORR_INT_SETUP", &PluginLibrary::run_setup);
  const Results in_run = session.calls("calls in a run");
  const Results repeated = session.calls("the same calls again");
  session.step("CORR_INT_CLEANUP", &PluginLibrary::run_cleanup);
  session.step("CORR_INT_SETUP", &PluginLibrary::run_setup);
  session.step("CORR_INT_SETUP a second time", &PluginLibrary::run_setup);
  const Results after_double_setup =
      session.calls("calls after CORR_INT_SETUP twice");
  session.step("CORR_INT_CLEANUP", &PluginLibrary::run_cleanup);
  session.step("CORR_INT_CLEANUP a second time", &PluginLibrary::run_cleanup);
  const Results after_cleanup = session.calls("calls after CORR_INT_CLEANUP");

  Tally survives;
  for (std::size_t k = 0; k < session.steps(); ++k) survives.pass();
  record_check(sink, survives.outcome("", "session-survives",
                                      "setup and cleanup twice, cleanup before "
                                      "setup, calls before setup and after "
                                      "cleanup all returned",
                                      "steps"));
  session.report_broken_promises();
  if (session.empty()) {
    record_check(sink, not_applicable("", "session-results",
                                      "no correlation can be called"));
    return;
  }
  Tally repeat;
  session.compare(in_run, repeated, "the same calls again", repeat);
  if (repeat.failed()) {
    record_check(sink, not_applicable("", "session-results",
                                      "results do not repeat even within "
                                      "one run (see repeatable)"));
    return;
  }
  Tally results;
  session.compare(in_run, before_setup, "calls before CORR_INT_SETUP", results);
  session.compare(in_run, after_double_setup,
                  "calls after CORR_INT_SETUP twice", results);
  session.compare(in_run, after_cleanup, "calls after CORR_INT_CLEANUP",
                  results);
  record_check(sink, results.outcome("", "session-results",
                                     "the same bits outside a run as in "
                                     "one"));
}

}  // namespace pipecorr::hostkit
