#include "check/check_run.hpp"

#include <algorithm>
#include <array>

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

bool died(const ChildRun& run, const ChildRecords& records) {
  return run.end.kind != ChildEnd::Kind::kExited || run.end.code != 0 ||
         !records.ended;
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
  if (records.ended && run.end.kind == ChildEnd::Kind::kExited) {
    example.got =
        "exit status " + std::to_string(run.end.code) + " after the job ended";
  } else if (run.end.kind == ChildEnd::Kind::kExited) {
    example.got = "the process ended with status " +
                  std::to_string(run.end.code) + " (" + run.end.how + ")";
  } else {
    example.got = run.end.how;
  }
  if (records.ended) example.point = "unloading the plug-in at exit";
  return example;
}

CheckOutcome failed_by(const std::string& subject, std::string_view id,
                       CounterExample example, std::size_t cases,
                       std::size_t failures) {
  CheckOutcome out;
  out.subject = subject;
  out.id = std::string(id);
  out.verdict = Verdict::kFailed;
  out.cases = cases;
  out.failures = failures;
  out.summary = failures == 1
                    ? "a child process died"
                    : std::to_string(failures) + " child processes died";
  out.example = std::move(example);
  return out;
}

template <std::size_t N>
void take(CheckReport& report, const ChildRecords& records,
          const std::string& subject,
          const std::array<std::string_view, N>& ids,
          const std::vector<CheckOutcome>& overrides,
          const std::string& missing_reason) {
  for (const auto id : ids) {
    const auto is = [&](const CheckOutcome& c) { return c.id == id; };
    if (auto o = std::find_if(overrides.begin(), overrides.end(), is);
        o != overrides.end()) {
      report.checks.push_back(*o);
    } else if (auto r = std::find_if(records.checks.begin(),
                                     records.checks.end(), is);
               r != records.checks.end()) {
      report.checks.push_back(*r);
    } else {
      report.checks.push_back(
          not_applicable(subject, std::string(id), missing_reason));
    }
  }
}

std::string not_run_reason(const ChildRecords& records,
                           const std::string& otherwise) {
  if (const auto e = records.values.find("error"); e != records.values.end()) {
    return "not run: " + e->second;
  }
  return otherwise;
}

bool probe_traps(const CheckOptions& options, const ChildRunner& run_child) {
  ChildJob job;
  job.kind = ChildJobKind::kTrapProbe;
  job.library = options.library;
  const ChildRun run = run_child(job);
  return run.end.kind == ChildEnd::Kind::kTrapped;
}

std::vector<CallableRow> check_catalogue(const CheckOptions& options,
                                         const ChildRunner& run_child,
                                         CheckReport& report) {
  ChildJob job;
  job.kind = ChildJobKind::kCatalogue;
  job.library = options.library;
  const ChildRun run = run_child(job);
  const ChildRecords records = read_records(run.records);
  std::vector<CheckOutcome> overrides;
  if (died(run, records)) {
    const std::string& step = records.last_step;
    const std::string_view id =
        step.rfind("COPYRIGHT", 0) == 0     ? "identification"
        : step.rfind("DESCRIPTN_2", 0) == 0 ? "catalogue-count"
                                            : "loads";
    overrides.push_back(
        failed_by("", id, death_example(records, run, ""), 1, 1));
  }
  const bool loaded = std::any_of(
      records.checks.begin(), records.checks.end(), [](const auto& c) {
        return c.id == "loads" && c.verdict == Verdict::kPassed;
      });
  take(report, records, "", kCatalogueChecks, overrides,
       not_run_reason(records, loaded ? "the catalogue could not be read"
                                      : "the plug-in did not load"));
  return records.rows;
}

void check_session(const CheckOptions& options, const ChildRunner& run_child,
                   CheckReport& report) {
  ChildJob job;
  job.kind = ChildJobKind::kSession;
  job.library = options.library;
  job.seed = options.seed;
  const ChildRun run = run_child(job);
  const ChildRecords records = read_records(run.records);
  std::vector<CheckOutcome> overrides;
  if (died(run, records)) {
    overrides.push_back(failed_by("", "session-survives",
                                  death_example(records, run, ""), 1, 1));
  }
  take(report, records, "", kSessionChecks, overrides,
       not_run_reason(records, "the session did not complete"));
}

void check_correlation(const CheckOptions& options, const CallableRow& row,
                       bool traps_delivered, const ChildRunner& run_child,
                       CheckReport& report) {
  ChildJob job;
  job.kind = ChildJobKind::kCorrelation;
  job.library = options.library;
  job.correlation = row.name;
  job.link_info = row.link_info;
  job.points = options.points;
  job.seed = options.seed;
  std::vector<CounterExample> traps;
  std::vector<CounterExample> crashes;
  ChildRecords records;
  bool complete = false;
  while (true) {
    const ChildRun run = run_child(job);
    records = read_records(run.records);
    if (!died(run, records)) {
      complete = true;
      break;
    }
    CounterExample example = death_example(records, run, row.name);
    (run.end.kind == ChildEnd::Kind::kTrapped ? traps : crashes)
        .push_back(std::move(example));
    if (records.ended) {
      complete = true;
      break;
    }
    if (!records.last_point ||
        traps.size() + crashes.size() >= options.max_deaths) {
      break;
    }
    job.skip.push_back(*records.last_point);
  }

  std::vector<CheckOutcome> overrides;
  const auto calls_reported = [&](std::string_view id) -> std::size_t {
    for (const auto& c : records.checks) {
      if (c.id == id) return c.cases;
    }
    return 0;
  };
  if (!crashes.empty()) {
    overrides.push_back(failed_by(row.name, "returns", crashes.front(),
                                  calls_reported("returns") + crashes.size(),
                                  crashes.size()));
  }
  if (!traps.empty()) {
    overrides.push_back(failed_by(row.name, "no-trap", traps.front(),
                                  calls_reported("no-trap") + traps.size(),
                                  traps.size()));
  } else if (!traps_delivered) {
    overrides.push_back(not_applicable(
        row.name, "no-trap",
        "this machine does not deliver floating-point traps (an emulator "
        "without them?), so none could be seen"));
  }
  const std::string reason =
      complete ? "not reported"
               : "no child completed the battery (" +
                     std::to_string(traps.size() + crashes.size()) +
                     " died; see returns)";
  take(report, records, row.name, kCorrelationChecks, overrides,
       not_run_reason(records, reason));
  if (!complete) {
    // Figures of an incomplete run would describe an arbitrary part of it.
    return;
  }
  for (const auto& figure : records.figures) report.figures.push_back(figure);
}

}  // namespace

std::size_t CheckReport::count(Verdict verdict) const {
  return static_cast<std::size_t>(
      std::count_if(checks.begin(), checks.end(),
                    [&](const auto& c) { return c.verdict == verdict; }));
}

bool CheckReport::all_passed() const { return count(Verdict::kFailed) == 0; }

CheckReport run_check(const CheckOptions& given, const ChildRunner& run_child) {
  CheckOptions options = given;
  options.library = std::filesystem::absolute(options.library);
  CheckReport report;
  report.library = options.library.string();
  report.points = options.points;
  report.bad_points = kBadPointCount;
  report.seed = options.seed;
  for (const auto& setting : host_fp_settings()) {
    report.host_states.emplace_back(setting.name);
  }
  report.traps_delivered = probe_traps(options, run_child);
  const auto rows = check_catalogue(options, run_child, report);
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
  check_session(options, run_child, report);
  for (const auto& row : rows) {
    check_correlation(options, row, report.traps_delivered, run_child, report);
  }
  return report;
}

}  // namespace pipecorr::hostkit
