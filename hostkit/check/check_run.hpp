// `pipecorr check`: the conformance battery of a correlation plug-in, run in
// child processes the caller starts, and gathered into one report.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "check/check_outcome.hpp"
#include "check/child_job.hpp"

namespace pipecorr::hostkit {

// Ordinary points per correlation when none are asked for: the bundled
// plug-in's whole run stays within a few seconds on an ordinary machine.
inline constexpr std::size_t kDefaultCheckPoints = 300;
// The most ordinary points a battery takes: a child keeps every point and
// its first outputs (about 400 bytes a point), and a million points of a
// fast correlation already take minutes.
inline constexpr std::size_t kMaxCheckPoints = 1'000'000;
// The bound on the whole run when none is asked for.
inline constexpr std::chrono::seconds kDefaultCheckTimeLimit{600};

struct CheckOptions {
  std::filesystem::path library;  // made absolute by run_check
  std::size_t points = kDefaultCheckPoints;
  std::uint64_t seed = 1;
  // Children that die are started again without the point that killed
  // them, at most this many times per correlation.
  std::size_t max_deaths = 8;
  // No job starts after this much time from the start of the run, and a
  // job still running then is stopped.
  std::chrono::milliseconds time_limit = kDefaultCheckTimeLimit;
};

// How a child process ended.
struct ChildEnd {
  enum class Kind {
    kExited,     // status in `code`
    kTrapped,    // a floating-point trap: SIGFPE, a Windows float exception
    kCrashed,    // any other signal or exception
    kTimedOut,   // killed by the caller: no record within its time limit
    kStopped,    // killed by the caller: the run's bound was reached
    kNotStarted  // could not be started at all
  };
  Kind kind = Kind::kExited;
  int code = 0;
  std::string how;  // "SIGSEGV (segmentation fault)", "no answer in 20 s"
};

struct ChildRun {
  std::string records;  // everything the child wrote to its record stream
  ChildEnd end;
};

using CheckClock = std::chrono::steady_clock;

// Starts a child process for the job (in a private empty working folder),
// waits for it, and returns what it wrote and how it ended. The child is
// hung (kTimedOut) when it writes no record for the runner's time limit,
// and is stopped (kStopped) at `deadline`, the run's bound. When the child
// has ended, nothing it started may be left running.
using ChildRunner =
    std::function<ChildRun(const ChildJob&, CheckClock::time_point deadline)>;

// A job the run's bound left undone or unfinished.
struct UnreachedJob {
  std::string subject;     // the correlation; empty for the library's jobs
  std::string job;         // "catalogue", "session" or "correlation"
  std::string stopped_at;  // where it was stopped; empty when never started
};

struct CheckReport {
  std::string library;
  std::size_t points = 0;
  std::size_t bad_points = 0;
  std::uint64_t seed = 0;
  std::vector<std::string> host_states;
  bool traps_delivered = true;
  double time_limit_seconds = 0.0;
  std::vector<CheckOutcome> checks;
  std::vector<Figure> figures;
  std::vector<UnreachedJob> unreached;

  [[nodiscard]] std::size_t count(Verdict verdict) const;
  // No check failed (checks that do not apply do not count against) and
  // the run's bound left no job undone.
  [[nodiscard]] bool all_passed() const;
};

// Runs the whole battery: whether traps are delivered here, catalogue and
// identification, session protocol, and every callable correlation.
[[nodiscard]] CheckReport run_check(const CheckOptions& options,
                                    const ChildRunner& run_child);

}  // namespace pipecorr::hostkit
