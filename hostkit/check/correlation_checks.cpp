// The battery of one correlation: every point in every host state, with
// and without the xinfo request, repeated, timed, and again with the debug
// log on. Every call, whatever it is made for, is judged by the promises
// of every call; a check's first failure is reported as soon as it is
// seen, so that a child that dies later still leaves it behind.
#include <algorithm>
#include <filesystem>
#include <memory>
#include <set>
#include <stdexcept>

#include "check/child_job.hpp"
#include "check/guarded_call.hpp"
#include "check/probe_points.hpp"
#include "check/promises.hpp"
#include "files/debug_log_file.hpp"
#include "numbers/number_text.hpp"
#include "plugin/plugin_library.hpp"

namespace pipecorr::hostkit {
namespace {

// Timed calls per ordinary point: the median needs several, the run's
// time budget few.
constexpr int kTimedRepeats = 3;

// The calls of the battery, for the counter-examples: the first run (every
// host state, the request, the repetition), the timed run, the log run.
enum class Run { kProbe, kTimed, kLog };

// One promise: its check's id and its tally.
struct Promise {
  const char* id;
  Tally tally;
};

class Battery {
 public:
  Battery(const ChildJob& job, RecordSink& sink)
      : job_(job),
        sink_(sink),
        library_(std::make_unique<PluginLibrary>(job.library)),
        single_(job.link_info == PIPECORR_LINK_SINGLE) {
    address_ = library_->symbol(job.correlation.c_str());
    if (address_ == nullptr) {
      throw std::runtime_error("the plug-in does not export " +
                               job.correlation);
    }
    record_step(sink_, "drawing " + std::to_string(job.points) +
                           " ordinary points and the bad inputs");
    points_ = probe_points(job.seed, job.points, single_);
    baseline_.resize(points_.size());
  }

  void run() {
    record_step(sink_, "CORR_INT_SETUP");
    library_->run_setup();
    for (std::size_t k = 0; k < points_.size(); ++k) {
      if (!skipped(k)) probe(k);
    }
    record_step(sink_, "CORR_INT_CLEANUP");
    library_->run_cleanup();
    time_calls();
    check_log();
    report();
  }

 private:
  [[nodiscard]] bool skipped(std::size_t k) const {
    return std::find(job_.skip.begin(), job_.skip.end(), k) != job_.skip.end();
  }

  CounterExample describe(std::size_t k, const HostFpSetting& host,
                          bool request, Run run) const {
    CounterExample out;
    out.correlation = job_.correlation;
    out.point = points_[k].label;
    if (run == Run::kTimed) out.point += " (the timed run)";
    out.inputs = points_[k].inputs;
    out.host_fp = host.name;
    out.xinfo_request = request;
    out.log = run == Run::kLog;
    return out;
  }

  CallRecord call(std::size_t k, const HostFpSetting& host, bool request,
                  Run run) {
    record_call(sink_, k, describe(k, host, request, run));
    ++calls_;
    return guarded_call(address_, single_,
                        CallPlan{points_[k].inputs, &host, request});
  }

  void note(Promise& promise, std::optional<Violation> violation,
            const CounterExample& where) {
    if (!violation) {
      promise.tally.pass();
      return;
    }
    CounterExample example = where;
    example.got = std::move(violation->got);
    example.expected = std::move(violation->expected);
    promise.tally.fail(std::move(example));
    if (promise.tally.failures() == 1) {
      record_check(sink_, promise.tally.outcome(job_.correlation, promise.id,
                                                std::string()));
    }
  }

  // The promises of every call; false when the call did not come back,
  // so that its outputs mean nothing.
  bool judge(const CallRecord& record, const CounterExample& where) {
    note(returns_, judge_returned(record), where);
    if (!record.escaped.empty()) return false;
    note(fp_state_, judge_fp_state(record), where);
    note(result_, judge_result(record.outputs), where);
    note(errmsg_, judge_errmsg(record.outputs), where);
    note(overrun_, judge_stray_write(record), where);
    return true;
  }

  // The outputs against those of the point's first call, when both came
  // back.
  void compare(Promise& promise, std::size_t k, const CallRecord& record,
               const CounterExample& where, const std::string& got_suffix,
               const char* expected) {
    if (!record.escaped.empty() || !baseline_[k]) return;
    if (same_bits(*baseline_[k], record.outputs)) {
      note(promise, std::nullopt, where);
      return;
    }
    note(promise,
         Violation{first_difference(*baseline_[k], record.outputs) + got_suffix,
                   expected},
         where);
  }

  // Every host state, then the xinfo request, then the first call again.
  void probe(std::size_t k) {
    const auto settings = host_fp_settings();
    for (const auto& host : settings) {
      const CallRecord record = call(k, host, false, Run::kProbe);
      const bool back = judge(record, describe(k, host, false, Run::kProbe));
      if (&host == &settings.front() && back) baseline_[k] = record.outputs;
    }
    const HostFpSetting& nearest = settings.front();
    judge(call(k, nearest, true, Run::kProbe),
          describe(k, nearest, true, Run::kProbe));
    const CallRecord again = call(k, nearest, false, Run::kProbe);
    const CounterExample where = describe(k, nearest, false, Run::kProbe);
    judge(again, where);
    compare(repeatable_, k, again, where, "",
            "the same bits from the same call");
    if (points_[k].ordinary && baseline_[k]) {
      if (baseline_[k]->ierr == PIPECORR_OK) {
        patterns_.insert(baseline_[k]->id);
      } else {
        ++ordinary_failures_;
      }
    }
  }

  void time_calls() {
    record_step(sink_, "CORR_INT_SETUP for the timed calls");
    library_->run_setup();
    const HostFpSetting& host = host_fp_settings().front();
    for (int repeat = 0; repeat < kTimedRepeats; ++repeat) {
      for (std::size_t k = 0; k < points_.size(); ++k) {
        if (!points_[k].ordinary || skipped(k)) continue;
        const CallRecord record = call(k, host, false, Run::kTimed);
        const CounterExample where = describe(k, host, false, Run::kTimed);
        if (judge(record, where)) nanoseconds_.push_back(record.nanoseconds);
        compare(repeatable_, k, record, where, " (first run, then timed run)",
                "the same bits from the same call in every run");
      }
    }
    record_step(sink_, "CORR_INT_CLEANUP after the timed calls");
    library_->run_cleanup();
  }

  void check_log() {
    record_step(sink_, "creating usercorr.dbg");
    try {
      prepare_debug_log_file();
    } catch (const std::exception& error) {
      log_skipped_ = error.what();
      return;
    }
    record_step(sink_, "CORR_INT_SETUP with the log on");
    library_->run_setup();
    const HostFpSetting& host = host_fp_settings().front();
    for (std::size_t k = 0; k < points_.size(); ++k) {
      if (skipped(k)) continue;
      const CallRecord record = call(k, host, false, Run::kLog);
      const CounterExample where = describe(k, host, false, Run::kLog);
      judge(record, where);
      compare(log_, k, record, where, " (log off, then on)",
              "the same bits with the log on as with it off");
    }
    record_step(sink_, "CORR_INT_CLEANUP with the log on");
    library_->run_cleanup();
    std::error_code ignored;
    std::filesystem::remove(kDebugLogName, ignored);
  }

  void report() {
    const std::string& name = job_.correlation;
    const std::string calls = std::to_string(calls_) + " calls";
    const std::string left_out =
        job_.skip.empty() ? std::string()
                          : " (" + std::to_string(job_.skip.size()) +
                                " point(s) that killed a child left out)";
    const auto put = [&](const Promise& promise, const std::string& summary) {
      record_check(sink_, promise.tally.outcome(name, promise.id, summary));
    };
    put(returns_, "all " + calls + " returned" + left_out);
    Tally untrapped;
    for (std::size_t k = 0; k < calls_; ++k) untrapped.pass();
    record_check(sink_, untrapped.outcome(name, "no-trap",
                                          "no trap in " + calls +
                                              " with divide-by-zero, invalid "
                                              "and overflow traps enabled" +
                                              left_out));
    put(fp_state_, "the host's state restored after every call in " +
                       std::to_string(host_fp_settings().size()) +
                       " host states" + left_out);
    put(result_,
        "ierr 0 with a finite result or 3 with the failure result" + left_out);
    put(errmsg_, "150 printable characters, blank-padded" + left_out);
    put(overrun_,
        "nothing written outside the outputs, inputs untouched" + left_out);
    put(repeatable_,
        "the same bits from every call made again, in every run" + left_out);
    if (!log_skipped_.empty()) {
      record_check(sink_, not_applicable(name, "log-neutral", log_skipped_));
    } else if (repeatable_.tally.failed()) {
      record_check(sink_, not_applicable(name, "log-neutral",
                                         "results do not repeat even with "
                                         "the log off (see repeatable)"));
    } else {
      put(log_, "the same bits with the debug log on" + left_out);
    }
    std::sort(nanoseconds_.begin(), nanoseconds_.end());
    if (!nanoseconds_.empty()) {
      record_figure(sink_,
                    {name, "median_ns_per_call",
                     shortest(nanoseconds_[nanoseconds_.size() / 2]), "ns"});
    }
    std::string patterns;
    for (const auto id : patterns_) {
      if (!patterns.empty()) patterns += ' ';
      patterns += std::to_string(id);
    }
    record_figure(sink_, {name, "patterns", patterns, "id"});
    record_figure(sink_, {name, "ordinary_points_failed",
                          std::to_string(ordinary_failures_), "points"});
    record_figure(sink_, {name, "calls", std::to_string(calls_), "calls"});
  }

  const ChildJob& job_;
  RecordSink& sink_;
  std::unique_ptr<PluginLibrary> library_;
  void* address_ = nullptr;
  bool single_;
  std::vector<ProbePoint> points_;
  std::vector<std::optional<CallOutputs>> baseline_;
  std::size_t calls_ = 0;
  Promise returns_{"returns", {}};
  Promise fp_state_{"fp-state", {}};
  Promise result_{"result", {}};
  Promise errmsg_{"errmsg", {}};
  Promise overrun_{"no-overrun", {}};
  Promise repeatable_{"repeatable", {}};
  Promise log_{"log-neutral", {}};
  std::string log_skipped_;
  std::vector<double> nanoseconds_;
  std::set<std::int32_t> patterns_;
  std::size_t ordinary_failures_ = 0;
};

}  // namespace

void run_correlation_job(const ChildJob& job, RecordSink& sink) {
  record_step(sink, "loading the plug-in");
  Battery battery(job, sink);
  battery.run();
}

}  // namespace pipecorr::hostkit
