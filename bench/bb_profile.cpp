// A fixed number of BB_3 calls at one benchmark point, through the export
// guard, for instruction counts under callgrind (repeatable on a busy
// machine, unlike timings). The count of a run with zero calls is the
// program's own; the difference over the call count is the cost per call.
//
//   bb_profile CASE plain|fast CALLS
//   valgrind --tool=callgrind bb_profile intermittent fast 100000
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "bb_points.hpp"
#include "beggs_brill/Bb_3.hpp"
#include "beggs_brill/proven_store.hpp"
#include "exports/boundary.hpp"
#include "log/debug_log.hpp"

namespace {

struct NamedPoint {
  const char* name;
  const pipecorr::bench::Point* point;
};

constexpr NamedPoint kCases[] = {
    {"segregated", &pipecorr::bench::kSegregated},
    {"transition", &pipecorr::bench::kTransition},
    {"intermittent", &pipecorr::bench::kIntermittent},
    {"distributed", &pipecorr::bench::kDistributed},
    {"laminar", &pipecorr::bench::kLaminar},
    {"bridge", &pipecorr::bench::kBridge},
    {"dry_gas", &pipecorr::bench::kDryGas},
};

int usage() {
  std::fputs("usage: bb_profile CASE plain|fast CALLS\n", stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) return usage();
  const pipecorr::bench::Point* point = nullptr;
  for (const NamedPoint& c : kCases) {
    if (std::strcmp(argv[1], c.name) == 0) point = c.point;
  }
  const bool fast = std::strcmp(argv[2], "fast") == 0;
  if (point == nullptr || (!fast && std::strcmp(argv[2], "plain") != 0)) {
    return usage();
  }
  const long calls = std::strtol(argv[3], nullptr, 10);
  const auto e =
      fast ? pipecorr::bb::Evaluation::kFast : pipecorr::bb::Evaluation::kPlain;
  pipecorr::dbg::log_switch = pipecorr::dbg::kSwitchOff;
  const double* in = point->v;
  double sum = 0.0;
  for (long n = 0; n < calls; ++n) {
    double xinfo = 0, dp = 0, holdup = 0;
    std::int32_t id = 0, iaux = 0, ierr = 0;
    char errmsg[150];
    pipecorr::exports::at_boundary([&] {
      pipecorr::bb::bb_3(&xinfo, &in[0], &in[1], &in[2], &in[3], &in[4], &in[5],
                         &in[6], &in[7], &in[8], &in[9], &in[10], &dp, &holdup,
                         &id, &iaux, &ierr, errmsg, e);
    });
    sum += dp;
  }
  std::printf("%s %s: %ld calls, dp sum %.17g, %llu fallbacks\n", argv[1],
              argv[2], calls, sum,
              static_cast<unsigned long long>(
                  pipecorr::bb::fallbacks_in_this_thread()));
  return 0;
}
