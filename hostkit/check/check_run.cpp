#include "check/check_run.hpp"

#include <algorithm>
#include <array>
#include <cstdio>
#include <random>

#include "check/fp_state.hpp"
#include "check/probe_points.hpp"

namespace pipecorr::hostkit {
namespace {

constexpr std::array<std::string_view, 7> kCatalogueChecks{
    "loads",           "catalogue-count",     "catalogue-names",
    "catalogue-types", "catalogue-link-info", "catalogue-descriptions",
    "identification"};
constexpr std::array<std::string_view, 2> kSessionChecks{"session-survives",
                                                         "session-results"};
constexpr std::array<std::string_view, 8> kCorrelationChecks{
    "returns", "no-trap",    "fp-state",   "result",
    "errmsg",  "no-overrun", "repeatable", "log-neutral"};

// A fresh token for each child: what a plug-in writes into the record
// stream cannot end the job for it.
std::string new_token() {
  static std::mt19937_64 random = [] {
    std::uint64_t seed = static_cast<std::uint64_t>(
        CheckClock::now().time_since_epoch().count());
    try {
      std::random_device device;
      seed ^= (static_cast<std::uint64_t>(device()) << 32) ^ device();
    } catch (const std::exception&) {
      // No source of randomness: the clock alone still differs per run.
    }
    return std::mt19937_64(seed);
  }();
  char text[17];
  std::snprintf(text, sizeof text, "%016llx",
                static_cast<unsigned long long>(random()));
  return text;
}

bool died(const ChildRun& run, const ChildRecords& records) {
  return run.end.kind != ChildEnd::Kind::kExited || run.end.code != 0 ||
         !records.ended;
}

// Why a child did not complete its job.
std::string death_cause(const ChildRecords& records, const ChildRun& run) {
  std::string cause;
  if (!records.abort.empty()) {
    cause = "the job gave up: " + records.abort;
  } else if (records.ended && run.end.kind == ChildEnd::Kind::kExited) {
    cause =
        "exit status " + std::to_string(run.end.code) + " after the job ended";
  } else if (run.end.kind == ChildEnd::Kind::kExited) {
    cause = "the process ended (exit status " + std::to_string(run.end.code) +
            ") before its job was finished";
  } else {
    cause = run.end.how;
  }
  if (!records.forged.empty()) {
    cause += "; its record stream holds " + records.forged +
             " (written by the plug-in?)";
  }
  return cause;
}

// Where the child was when it died, and how it died.
CounterExample death_example(const ChildRecords& records, const ChildRun& run,
                             const std::string& subject) {
  CounterExample example;
  if (records.last_call) {
    example = *records.last_call;
    example.expected = "the call returns";
  } else {
    example.correlation = subject;
    example.point =
        records.last_step.empty() ? "starting the child" : records.last_step;
    example.expected = "the step completes";
  }
  example.got = death_cause(records, run);
  if (records.ended) example.point = "unloading the plug-in at exit";
  return example;
}

// Where a stopped child was.
std::string stopped_at(const ChildRecords& records) {
  if (records.last_call) return records.last_call->point;
  return records.last_step.empty() ? std::string("starting the child")
                                   : records.last_step;
}

CheckOutcome failed_by(const std::string& subject, std::string_view id,
                       CounterExample example, std::size_t cases,
                       std::size_t failures, std::size_t deaths) {
  CheckOutcome out;
  out.subject = subject;
  out.id = std::string(id);
  out.verdict = Verdict::kFailed;
  out.cases = cases;
  out.failures = failures;
  out.summary = deaths == 1 ? "a child process died"
                            : std::to_string(deaths) + " child processes died";
  if (failures > deaths) {
    out.summary +=
        ", and " + std::to_string(failures - deaths) + " other calls broke it";
  }
  out.example = std::move(example);
  return out;
}

const CheckOutcome* find_check(const std::vector<CheckOutcome>& checks,
                               std::string_view id) {
  const auto at = std::find_if(checks.begin(), checks.end(),
                               [&](const auto& c) { return c.id == id; });
  return at == checks.end() ? nullptr : &*at;
}

// The outcome of each check: a death's override first, then what the
// child reported. `trusted` says whether the child's passing outcomes
// count: only a child that completed its job (or, for the catalogue, wrote
// nothing it could not have written) vouches for a pass; a failure counts
// from any child.
template <std::size_t N>
void take(CheckReport& report, const ChildRecords& records, bool trusted,
          const std::string& subject,
          const std::array<std::string_view, N>& ids,
          const std::vector<CheckOutcome>& overrides,
          const std::vector<CheckOutcome>& failures_seen,
          const std::string& missing_reason) {
  for (const auto id : ids) {
    if (const auto* o = find_check(overrides, id)) {
      report.checks.push_back(*o);
      continue;
    }
    const auto* reported = find_check(records.checks, id);
    if (reported != nullptr && reported->verdict == Verdict::kFailed) {
      report.checks.push_back(*reported);
    } else if (const auto* seen = find_check(failures_seen, id)) {
      CheckOutcome failure = *seen;
      failure.summary =
          "broken in a child that did not finish (its first failure, "
          "after " +
          std::to_string(failure.cases) + " calls judged)";
      report.checks.push_back(std::move(failure));
    } else if (reported != nullptr && trusted) {
      report.checks.push_back(*reported);
    } else {
      report.checks.push_back(
          not_applicable(subject, std::string(id), missing_reason));
    }
  }
}

// Remembers the first failure of each check that any child reported.
void remember_failures(const ChildRecords& records,
                       std::vector<CheckOutcome>& seen) {
  for (const auto& check : records.checks) {
    if (check.verdict == Verdict::kFailed &&
        find_check(seen, check.id) == nullptr) {
      seen.push_back(check);
    }
  }
}

std::string unfinished_reason(const ChildRecords& records,
                              const std::string& otherwise) {
  if (!records.abort.empty()) return "not judged: the job gave up";
  return otherwise;
}

class Run {
 public:
  Run(const CheckOptions& options, const ChildRunner& run_child,
      CheckReport& report)
      : options_(options),
        run_child_(run_child),
        report_(report),
        deadline_(CheckClock::now() + options.time_limit) {}

  [[nodiscard]] bool out_of_time() const {
    return CheckClock::now() >= deadline_;
  }

  ChildRun run(ChildJob& job) {
    job.token = new_token();
    return run_child_(job, deadline_);
  }

  bool probe_traps() {
    ChildJob job;
    job.kind = ChildJobKind::kTrapProbe;
    job.library = options_.library;
    return run(job).end.kind == ChildEnd::Kind::kTrapped;
  }

  // The callable rows, or nothing when the bound stopped the catalogue.
  std::optional<std::vector<CallableRow>> check_catalogue() {
    ChildJob job;
    job.kind = ChildJobKind::kCatalogue;
    job.library = options_.library;
    if (out_of_time()) {
      report_.unreached.push_back({"", "catalogue", ""});
      return std::nullopt;
    }
    const ChildRun child = run(job);
    const ChildRecords records = read_records(child.records, job.token);
    if (child.end.kind == ChildEnd::Kind::kStopped) {
      report_.unreached.push_back({"", "catalogue", stopped_at(records)});
      return std::nullopt;
    }
    std::vector<CheckOutcome> overrides;
    if (died(child, records)) {
      const std::string& step = records.last_step;
      const std::string_view id =
          step.rfind("COPYRIGHT", 0) == 0     ? "identification"
          : step.rfind("DESCRIPTN_2", 0) == 0 ? "catalogue-count"
                                              : "loads";
      overrides.push_back(
          failed_by("", id, death_example(records, child, ""), 1, 1, 1));
    }
    const bool trusted = records.forged.empty();
    const bool loaded =
        trusted && std::any_of(records.checks.begin(), records.checks.end(),
                               [](const auto& c) {
                                 return c.id == "loads" &&
                                        c.verdict == Verdict::kPassed;
                               });
    take(report_, records, trusted, "", kCatalogueChecks, overrides, {},
         unfinished_reason(records, loaded ? "the catalogue could not be read"
                                           : "the plug-in did not load"));
    return records.rows;
  }

  void check_session() {
    ChildJob job;
    job.kind = ChildJobKind::kSession;
    job.library = options_.library;
    job.seed = options_.seed;
    if (out_of_time()) {
      report_.unreached.push_back({"", "session", ""});
      return;
    }
    const ChildRun child = run(job);
    const ChildRecords records = read_records(child.records, job.token);
    if (child.end.kind == ChildEnd::Kind::kStopped) {
      report_.unreached.push_back({"", "session", stopped_at(records)});
      return;
    }
    std::vector<CheckOutcome> overrides;
    if (died(child, records)) {
      overrides.push_back(failed_by(
          "", "session-survives", death_example(records, child, ""), 1, 1, 1));
    }
    take(report_, records, !died(child, records), "", kSessionChecks, overrides,
         {}, unfinished_reason(records, "the session did not complete"));
    for (const auto& check : records.checks) {
      if (!check.subject.empty() && check.verdict == Verdict::kFailed) {
        session_failures_.push_back(check);
      }
    }
  }

  // The promises a correlation broke in the session's calls, into its own
  // checks from `first` on.
  void merge_session_failures(const std::string& name, std::size_t first) {
    for (const auto& found : session_failures_) {
      if (found.subject != name) continue;
      const auto end = report_.checks.end();
      const auto at = std::find_if(
          report_.checks.begin() + static_cast<std::ptrdiff_t>(first), end,
          [&](const auto& c) { return c.id == found.id; });
      const std::string session = std::to_string(found.failures) +
                                  " of the "
                                  "session protocol's " +
                                  std::to_string(found.cases) + " calls";
      if (at == end) {
        CheckOutcome failure = found;
        failure.summary = "broken in " + session;
        report_.checks.push_back(std::move(failure));
      } else if (at->verdict == Verdict::kFailed) {
        at->summary += ", and in " + session;
        at->cases += found.cases;
        at->failures += found.failures;
      } else {
        CheckOutcome failure = found;
        failure.summary = "broken in " + session + " (none of the battery's " +
                          std::to_string(at->cases) + ")";
        failure.cases += at->cases;
        *at = std::move(failure);
      }
    }
  }

  void check_correlation(const CallableRow& row, bool traps_delivered) {
    if (out_of_time()) {
      report_.unreached.push_back({row.name, "correlation", ""});
      return;
    }
    ChildJob job;
    job.kind = ChildJobKind::kCorrelation;
    job.library = options_.library;
    job.correlation = row.name;
    job.link_info = row.link_info;
    job.points = options_.points;
    job.seed = options_.seed;
    std::vector<CounterExample> traps;
    std::vector<CounterExample> crashes;
    std::vector<CheckOutcome> seen;
    ChildRecords records;
    bool complete = false;
    std::optional<std::string> stopped;
    while (true) {
      const ChildRun child = run(job);
      records = read_records(child.records, job.token);
      remember_failures(records, seen);
      if (child.end.kind == ChildEnd::Kind::kStopped) {
        stopped = stopped_at(records);
        break;
      }
      if (!died(child, records)) {
        complete = true;
        break;
      }
      CounterExample example = death_example(records, child, row.name);
      (child.end.kind == ChildEnd::Kind::kTrapped ? traps : crashes)
          .push_back(std::move(example));
      if (records.ended) {
        complete = true;
        break;
      }
      if (!records.last_point ||
          traps.size() + crashes.size() >= options_.max_deaths) {
        break;
      }
      if (out_of_time()) {
        stopped = "starting a child again without " +
                  (records.last_call ? records.last_call->point
                                     : std::string("the point"));
        break;
      }
      job.skip.push_back(*records.last_point);
    }

    std::vector<CheckOutcome> overrides;
    const auto reported = [&](std::string_view id) -> const CheckOutcome* {
      return complete ? find_check(records.checks, id) : nullptr;
    };
    const auto count = [&](std::string_view id, std::size_t CheckOutcome::*n) {
      const auto* r = reported(id);
      return r == nullptr ? std::size_t{0} : (*r).*n;
    };
    if (!crashes.empty()) {
      overrides.push_back(
          failed_by(row.name, "returns", crashes.front(),
                    count("returns", &CheckOutcome::cases) + crashes.size(),
                    count("returns", &CheckOutcome::failures) + crashes.size(),
                    crashes.size()));
    }
    if (!traps.empty()) {
      overrides.push_back(
          failed_by(row.name, "no-trap", traps.front(),
                    count("no-trap", &CheckOutcome::cases) + traps.size(),
                    count("no-trap", &CheckOutcome::failures) + traps.size(),
                    traps.size()));
    } else if (!traps_delivered && !stopped) {
      overrides.push_back(not_applicable(
          row.name, "no-trap",
          "this machine does not deliver floating-point traps (an emulator "
          "without them?), so none could be seen"));
    }
    const std::size_t first = report_.checks.size();
    if (stopped) {
      // What was seen broken before the bound still counts; the rest was
      // not judged, and the report lists the correlation as unfinished.
      report_.unreached.push_back({row.name, "correlation", *stopped});
      for (const auto id : kCorrelationChecks) {
        if (const auto* o = find_check(overrides, id)) {
          report_.checks.push_back(*o);
        } else if (const auto* s = find_check(seen, id)) {
          CheckOutcome failure = *s;
          failure.summary =
              "broken before the run's bound stopped the "
              "battery (its first failure, after " +
              std::to_string(failure.cases) + " calls judged)";
          report_.checks.push_back(std::move(failure));
        }
      }
      merge_session_failures(row.name, first);
      return;
    }
    const std::string reason =
        complete ? "not reported"
                 : "no child completed the battery (" +
                       std::to_string(traps.size() + crashes.size()) +
                       " died; see returns)";
    take(report_, records, complete, row.name, kCorrelationChecks, overrides,
         seen, reason);
    merge_session_failures(row.name, first);
    if (!complete) {
      // Figures of an incomplete run would describe an arbitrary part of it.
      return;
    }
    for (const auto& figure : records.figures) {
      report_.figures.push_back(figure);
    }
  }

 private:
  const CheckOptions& options_;
  const ChildRunner& run_child_;
  CheckReport& report_;
  CheckClock::time_point deadline_;
  std::vector<CheckOutcome> session_failures_;
};

}  // namespace

std::size_t CheckReport::count(Verdict verdict) const {
  return static_cast<std::size_t>(
      std::count_if(checks.begin(), checks.end(),
                    [&](const auto& c) { return c.verdict == verdict; }));
}

bool CheckReport::all_passed() const {
  return count(Verdict::kFailed) == 0 && unreached.empty();
}

CheckReport run_check(const CheckOptions& given, const ChildRunner& run_child) {
  CheckOptions options = given;
  options.library = std::filesystem::absolute(options.library);
  CheckReport report;
  report.library = options.library.string();
  report.points = options.points;
  report.bad_points = kBadPointCount;
  report.seed = options.seed;
  report.time_limit_seconds =
      std::chrono::duration<double>(options.time_limit).count();
  for (const auto& setting : host_fp_settings()) {
    report.host_states.emplace_back(setting.name);
  }
  Run run(options, run_child, report);
  report.traps_delivered = run.probe_traps();
  const auto rows = run.check_catalogue();
  if (!rows) return report;
  const bool loaded =
      report.count(Verdict::kFailed) == 0 ||
      std::any_of(report.checks.begin(), report.checks.end(),
                  [](const auto& c) {
                    return c.id == "loads" && c.verdict == Verdict::kPassed;
                  });
  if (!loaded) {
    for (const auto id : kSessionChecks) {
      report.checks.push_back(
          not_applicable("", std::string(id), "the plug-in did not load"));
    }
    return report;
  }
  run.check_session();
  for (const auto& row : *rows) {
    run.check_correlation(row, report.traps_delivered);
  }
  return report;
}

}  // namespace pipecorr::hostkit
