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

struct CheckOptions {
  std::filesystem::path library;  // made absolute by run_check
  std::size_t points = kDefaultCheckPoints;
  std::uint64_t seed = 1;
  // Children that die are started again without the point that killed
  // them, at most this many times per correlation.
  std::size_t max_deaths = 8;
};

// How a child process ended.
struct ChildEnd {
  enum class Kind {
    kExited,     // status in `code`
    kTrapped,    // a floating-point trap: SIGFPE, a Windows float exception
    kCrashed,    // any other signal or exception
    kTimedOut,   // killed by the caller after its time limit
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

// Starts a child process for the job (in a private empty working folder),
// waits for it within the caller's time limit, and returns what it wrote
// and how it ended.
using ChildRunner = std::function<ChildRun(const ChildJob&)>;

struct CheckReport {
  std::string library;
  std::size_t points = 0;
  std::size_t bad_points = 0;
  std::uint64_t seed = 0;
  std::vector<std::string> host_states;
  bool traps_delivered = true;
  std::vector<CheckOutcome> checks;
  std::vector<Figure> figures;

  [[nodiscard]] std::size_t count(Verdict verdict) const;
  // No check failed (checks that do not apply do not count against).
  [[nodiscard]] bool all_passed() const;
};

// Runs the whole battery: whether traps are delivered here, catalogue and
// identification, session protocol, and every callable correlation.
[[nodiscard]] CheckReport run_check(const CheckOptions& options,
                                    const ChildRunner& run_child);

}  // namespace pipecorr::hostkit
