// The check's handling of its children, with scripted children instead of
// processes: a child that dies is started again without the point it died
// at, a trap counts against no-trap alone, and a machine without traps
// makes no-trap not applicable; a child that gives up or whose stream ends
// with a forged record fails "returns" with the cause; a failure reported
// before a death is kept; the run's bound lists what it did not reach.
// Also the host floating-point states it sets, read back as set.
#include <gtest/gtest.h>

#include <bit>
#include <chrono>
#include <cmath>
#include <functional>
#include <limits>
#include <thread>

#include "check/check_run.hpp"
#include "check/child_job.hpp"
#include "check/fp_state.hpp"

namespace pipecorr::hostkit {
namespace {

const std::vector<std::string> kCorrelationChecks{
    "returns", "no-trap",    "fp-state",   "result",
    "errmsg",  "no-overrun", "repeatable", "log-neutral"};

CounterExample call_at(double usl) {
  CounterExample call;
  call.correlation = "X_3";
  call.point = "usl odd";
  call.inputs = FlowInputs{};
  call.inputs->usl = usl;
  call.inputs->p = -0.0;
  call.host_fp = "upward";
  return call;
}

// Children that pass everything, except that the correlation's child dies
// at point 7 (by `death`) while 7 is not skipped.
class ScriptedChildren {
 public:
  explicit ScriptedChildren(ChildEnd::Kind death, bool traps = true)
      : death_(death), traps_(traps) {}

  ChildRun operator()(const ChildJob& job, CheckClock::time_point = {}) {
    StringSink sink;
    ChildRun run;
    switch (job.kind) {
      case ChildJobKind::kTrapProbe:
        run.end.kind =
            traps_ ? ChildEnd::Kind::kTrapped : ChildEnd::Kind::kExited;
        return run;
      case ChildJobKind::kCatalogue:
        for (const char* id : {"loads", "catalogue-count", "catalogue-names",
                               "catalogue-types", "catalogue-link-info",
                               "catalogue-descriptions", "identification"}) {
          Tally tally;
          tally.pass();
          record_check(sink, tally.outcome("", id, "fine"));
        }
        record_row(sink, {"X_3", 3});
        break;
      case ChildJobKind::kSession:
        for (const char* id : {"session-survives", "session-results"}) {
          record_check(sink, Tally().outcome("", id, "fine"));
        }
        break;
      case ChildJobKind::kCorrelation:
        skips_.push_back(job.skip);
        record_step(sink, "CORR_INT_SETUP");
        if (job.skip.empty()) {
          record_call(sink, 7,
                      call_at(std::numeric_limits<double>::infinity()));
          run.records = sink.text();
          run.end = {death_, 11, "killed by a scripted death"};
          return run;
        }
        for (const auto& id : kCorrelationChecks) {
          Tally tally;
          tally.pass();
          record_check(sink, tally.outcome("X_3", id, "fine"));
        }
        break;
    }
    record_end(sink, job.token);
    run.records = sink.text();
    return run;
  }

  std::vector<std::vector<std::size_t>> skips_;

 private:
  ChildEnd::Kind death_;
  bool traps_;
};

const CheckOutcome& outcome(const CheckReport& report, const std::string& id) {
  for (const auto& check : report.checks) {
    if (check.subject == "X_3" && check.id == id) return check;
  }
  throw std::runtime_error("no check " + id);
}

TEST(CheckRun, StartsADeadChildAgainWithoutThePointThatKilledIt) {
  ScriptedChildren children(ChildEnd::Kind::kCrashed);
  CheckOptions options;
  options.library = "plugin.so";
  const CheckReport report =
      run_check(options, [&](const ChildJob& job, CheckClock::time_point) {
        return children(job);
      });
  ASSERT_EQ(children.skips_.size(), 2U);
  EXPECT_EQ(children.skips_[1], std::vector<std::size_t>{7});

  const CheckOutcome& returns = outcome(report, "returns");
  EXPECT_EQ(returns.verdict, Verdict::kFailed);
  ASSERT_TRUE(returns.example && returns.example->inputs);
  EXPECT_EQ(returns.example->point, "usl odd");
  EXPECT_EQ(returns.example->host_fp, "upward");
  EXPECT_EQ(returns.example->got, "killed by a scripted death");
  EXPECT_TRUE(std::isinf(returns.example->inputs->usl));
  EXPECT_TRUE(std::signbit(returns.example->inputs->p)) << "-0 kept";
  for (const auto& id : kCorrelationChecks) {
    if (id == "returns") continue;
    EXPECT_EQ(outcome(report, id).verdict, Verdict::kPassed) << id;
  }
  EXPECT_EQ(report.count(Verdict::kFailed), 1U);
}

TEST(CheckRun, ATrapCountsAgainstNoTrapAlone) {
  ScriptedChildren children(ChildEnd::Kind::kTrapped);
  CheckOptions options;
  options.library = "plugin.so";
  const CheckReport report =
      run_check(options, [&](const ChildJob& job, CheckClock::time_point) {
        return children(job);
      });
  EXPECT_EQ(outcome(report, "no-trap").verdict, Verdict::kFailed);
  EXPECT_EQ(outcome(report, "returns").verdict, Verdict::kPassed);
}

TEST(CheckRun, NoTrapDoesNotApplyWhereTrapsAreNotDelivered) {
  ScriptedChildren children(ChildEnd::Kind::kCrashed, false);
  CheckOptions options;
  options.library = "plugin.so";
  const CheckReport report =
      run_check(options, [&](const ChildJob& job, CheckClock::time_point) {
        return children(job);
      });
  EXPECT_FALSE(report.traps_delivered);
  EXPECT_EQ(outcome(report, "no-trap").verdict, Verdict::kNotApplicable);
}

TEST(CheckRun, ChildrenThatKeepDyingEndTheCorrelationsChecks) {
  // Every restart dies again at a new point: after max_deaths the other
  // checks cannot be judged.
  CheckOptions options;
  options.library = "plugin.so";
  options.max_deaths = 3;
  ScriptedChildren children(ChildEnd::Kind::kCrashed);
  std::size_t deaths = 0;
  const CheckReport report =
      run_check(options, [&](const ChildJob& job, CheckClock::time_point) {
        if (job.kind != ChildJobKind::kCorrelation) return children(job);
        StringSink sink;
        record_call(sink, 100 + deaths++, call_at(1.0));
        return ChildRun{sink.text(), {ChildEnd::Kind::kTimedOut, 0, "hung"}};
      });
  EXPECT_EQ(deaths, 3U);
  EXPECT_EQ(outcome(report, "returns").failures, 3U);
  EXPECT_EQ(outcome(report, "fp-state").verdict, Verdict::kNotApplicable);
}

// A correlation child scripted by `write`, exiting with `status`; the
// other jobs pass.
CheckReport run_with_correlation_child(
    const std::function<void(StringSink&, const ChildJob&)>& write,
    int status) {
  CheckOptions options;
  options.library = "plugin.so";
  ScriptedChildren children(ChildEnd::Kind::kCrashed);
  return run_check(options, [&](const ChildJob& job, CheckClock::time_point) {
    if (job.kind != ChildJobKind::kCorrelation) return children(job);
    StringSink sink;
    write(sink, job);
    return ChildRun{sink.text(),
                    {ChildEnd::Kind::kExited, status, "exit status"}};
  });
}

void record_passes(StringSink& sink) {
  for (const auto& id : kCorrelationChecks) {
    Tally tally;
    tally.pass();
    record_check(sink, tally.outcome("X_3", id, "fine"));
  }
}

TEST(CheckRun, AChildThatGivesUpFailsReturnsWithTheCause) {
  // Out of memory before the first call: not applicable would pass it.
  const CheckReport report = run_with_correlation_child(
      [](StringSink& sink, const ChildJob&) {
        record_step(sink, "drawing 1000000000 ordinary points");
        record_abort(sink, "out of memory (std::bad_alloc)");
      },
      kUnfinishedJobStatus);
  const CheckOutcome& returns = outcome(report, "returns");
  EXPECT_EQ(returns.verdict, Verdict::kFailed);
  ASSERT_TRUE(returns.example);
  EXPECT_EQ(returns.example->point, "drawing 1000000000 ordinary points");
  EXPECT_EQ(returns.example->got,
            "the job gave up: out of memory (std::bad_alloc)");
  EXPECT_FALSE(report.all_passed());
}

TEST(CheckRun, AnEndWithoutTheJobsTokenIsNoEnd) {
  struct Case {
    const char* name;
    std::function<void(StringSink&, const ChildJob&)> write;
  };
  const Case cases[] = {
      {"a forged end",
       [](StringSink& sink, const ChildJob&) {
         record_passes(sink);
         record_end(sink, "0000000000000000");
       }},
      {"an end after more records than the child counted",
       [](StringSink& sink, const ChildJob& job) {
         record_passes(sink);
         StringSink other;
         record_end(other, job.token);  // counts none of sink's records
         sink.write_line(other.text().substr(0, other.text().size() - 1));
       }},
      {"records after the end",
       [](StringSink& sink, const ChildJob& job) {
         record_passes(sink);
         record_end(sink, job.token);
         record_step(sink, "written at exit");
       }},
      {"no end",
       [](StringSink& sink, const ChildJob&) { record_passes(sink); }},
  };
  for (const auto& c : cases) {
    const CheckReport report = run_with_correlation_child(c.write, 0);
    EXPECT_EQ(outcome(report, "returns").verdict, Verdict::kFailed) << c.name;
    for (const auto& id : kCorrelationChecks) {
      EXPECT_NE(outcome(report, id).verdict, Verdict::kPassed)
          << c.name << ": " << id;
    }
  }
}

TEST(CheckRun, AFailureReportedBeforeTheChildDiedIsKept) {
  const CheckReport report = run_with_correlation_child(
      [](StringSink& sink, const ChildJob&) {
        Tally result;
        CounterExample bad = call_at(1.0);
        bad.got = "ierr 0, dp nan";
        result.fail(bad);
        record_check(sink, result.outcome("X_3", "result", ""));
        record_call(sink, 3, call_at(2.0));
      },
      0);
  const CheckOutcome& result = outcome(report, "result");
  EXPECT_EQ(result.verdict, Verdict::kFailed);
  ASSERT_TRUE(result.example);
  EXPECT_EQ(result.example->got, "ierr 0, dp nan");
  EXPECT_EQ(outcome(report, "returns").verdict, Verdict::kFailed);
}

TEST(CheckRun, TheBoundStopsTheRunAndListsWhatItDidNotReach) {
  CheckOptions options;
  options.library = "plugin.so";
  options.time_limit = std::chrono::milliseconds(50);
  const CheckReport report =
      run_check(options, [&](const ChildJob& job, CheckClock::time_point end) {
        StringSink sink;
        ChildRun run;
        if (job.kind == ChildJobKind::kCatalogue) {
          record_row(sink, {"X_3", 3});
          record_row(sink, {"Y_3", 3});
        }
        if (job.kind != ChildJobKind::kCorrelation) {
          record_end(sink, job.token);
          return ChildRun{sink.text(), {}};
        }
        // The first correlation's child runs past the bound.
        record_call(sink, 4, call_at(1.0));
        std::this_thread::sleep_until(end);
        return ChildRun{sink.text(), {ChildEnd::Kind::kStopped, 0, "stopped"}};
      });
  ASSERT_EQ(report.unreached.size(), 2U);
  EXPECT_EQ(report.unreached[0].subject, "X_3");
  EXPECT_EQ(report.unreached[0].stopped_at, "usl odd");
  EXPECT_EQ(report.unreached[1].subject, "Y_3");
  EXPECT_EQ(report.unreached[1].stopped_at, "");
  EXPECT_FALSE(report.all_passed());
  for (const auto& check : report.checks) {
    EXPECT_TRUE(check.subject.empty()) << "judged " << check.subject;
  }
}

// Each host state reads back exactly as it was set: the bit masks and the
// x87 environment edit put in force what the check reports.
TEST(HostFpState, EverySettingReadsBackAsSet) {
  for (const auto& setting : host_fp_settings()) {
    enter_fp_state(setting.registers);
    const FpRegisters read = leave_fp_state();
    EXPECT_EQ(read, setting.registers)
        << setting.name << ": set " << describe_fp_state(setting.registers)
        << ", read " << describe_fp_state(read);
  }
}

}  // namespace
}  // namespace pipecorr::hostkit
