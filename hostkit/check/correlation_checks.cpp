// The battery of one correlation: every point in every host state, with
// and without the xinfo request, repeated, timed, and again with the debug
// log on.
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
#include "plugin/plugin_library.hpp"
#include "text/number_text.hpp"

namespace pipecorr::hostkit {
namespace {

// Timed calls per ordinary point: the median needs several, the run's
// time budget few.
constexpr int kTimedRepeats = 3;

class Battery {
 public:
  Battery(const ChildJob& job, RecordSink& sink)
      : job_(job),
        sink_(sink),
        library_(std::make_unique<PluginLibrary>(job.library)),
        single_(job.link_info == PIPECORR_LINK_SINGLE),
        points_(probe_points(job.seed, job.points, single_)),
        baseline_(points_.size()) {
    address_ = library_->symbol(job.correlation.c_str());
    if (address_ == nullptr) {
      throw std::runtime_error("the plug-in does not export " +
                               job.correlation);
    }
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
                          bool request, bool log) const {
    CounterExample out;
    out.correlation = job_.correlation;
    out.point = points_[k].label;
    out.inputs = points_[k].inputs;
    out.host_fp = host.name;
    out.xinfo_request = request;
    out.log = log;
    return out;
  }

  CallRecord call(std::size_t k, const HostFpSetting& host, bool request,
                  bool log = false) {
    record_call(sink_, k, describe(k, host, request, log));
    ++calls_;
    return guarded_call(address_, single_,
                        CallPlan{points_[k].inputs, &host, request});
  }

  void judge(const CallRecord& record, std::size_t k, const HostFpSetting& host,
             bool request) {
    const auto note = [&](Tally& tally, std::optional<Violation> violation) {
      if (!violation) {
        tally.pass();
        return;
      }
      CounterExample example = describe(k, host, request, false);
      example.got = std::move(violation->got);
      example.expected = std::move(violation->expected);
      tally.fail(std::move(example));
    };
    note(fp_state_, judge_fp_state(record));
    note(result_, judge_result(record.outputs));
    note(errmsg_, judge_errmsg(record.outputs));
    note(overrun_, judge_stray_write(record));
  }

  // Every host state, then the xinfo request, then the first call again.
  void probe(std::size_t k) {
    const auto settings = host_fp_settings();
    for (const auto& host : settings) {
      const CallRecord record = call(k, host, false);
      judge(record, k, host, false);
      if (&host == &settings.front()) baseline_[k] = record.outputs;
    }
    judge(call(k, settings.front(), true), k, settings.front(), true);
    const CallRecord again = call(k, settings.front(), false);
    if (same_bits(*baseline_[k], again.outputs)) {
      repeatable_.pass();
    } else {
      CounterExample example = describe(k, settings.front(), false, false);
      example.got = first_difference(*baseline_[k], again.outputs);
      example.expected = "the same bits from the same call";
      repeatable_.fail(std::move(example));
    }
    const CallOutputs& out = *baseline_[k];
    if (points_[k].ordinary) {
      if (out.ierr == PIPECORR_OK) {
        patterns_.insert(out.id);
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
        nanoseconds_.push_back(call(k, host, false).nanoseconds);
      }
    }
    record_step(sink_, "CORR_INT_CLEANUP after the timed calls");
    library_->run_cleanup();
  }

  void check_log() {
    if (repeatable_.failed()) {
      log_skipped_ =
          "results do not repeat even with the log off (see "
          "repeatable)";
      return;
    }
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
      const CallRecord record = call(k, host, false, true);
      if (same_bits(*baseline_[k], record.outputs)) {
        log_.pass();
        continue;
      }
      CounterExample example = describe(k, host, false, true);
      example.got = first_difference(*baseline_[k], record.outputs) +
                    " (log off, then on)";
      example.expected = "the same bits with the log on as with it off";
      log_.fail(std::move(example));
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
    Tally returned;
    for (std::size_t k = 0; k < calls_; ++k) returned.pass();
    record_check(sink_,
                 returned.outcome(name, "returns",
                                  "all " + calls + " returned" + left_out));
    record_check(sink_, returned.outcome(name, "no-trap",
                                         "no trap in " + calls +
                                             " with divide-by-zero, invalid "
                                             "and overflow traps enabled" +
                                             left_out));
    record_check(
        sink_,
        fp_state_.outcome(name, "fp-state",
                          "the host's state restored after " + calls + " in " +
                              std::to_string(host_fp_settings().size()) +
                              " host states" + left_out));
    record_check(sink_, result_.outcome(name, "result",
                                        "ierr 0 with a finite result or 3 "
                                        "with the failure result" +
                                            left_out));
    record_check(
        sink_,
        errmsg_.outcome(name, "errmsg",
                        "150 printable characters, blank-padded" + left_out));
    record_check(sink_, overrun_.outcome(name, "no-overrun",
                                         "nothing written outside the outputs"
                                         ", inputs untouched" +
                                             left_out));
    record_check(sink_,
                 repeatable_.outcome(
                     name, "repeatable",
                     "the same bits from every call made twice" + left_out));
    if (!log_skipped_.empty()) {
      record_check(sink_, not_applicable(name, "log-neutral", log_skipped_));
    } else {
      record_check(sink_, log_.outcome(name, "log-neutral",
                                       "the same bits with the debug log on" +
                                           left_out));
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
  Tally fp_state_;
  Tally result_;
  Tally errmsg_;
  Tally overrun_;
  Tally repeatable_;
  Tally log_;
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
