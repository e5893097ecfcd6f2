// A pipeline case from bytes, through its traverse and every report.
//
// Input: the case text, then its profile, framed as
// support/framed_files.hpp describes; the case is "fuzz.case" in no
// folder, so "profile = p.csv" reads the block "=== p.csv".
//
// Each case that reads is marched with BB_3 and BB_2 (the double and the
// single-precision argument lists) at the command's default step of 10 m,
// lengthened so that no traverse takes more than a few hundred steps, and
// its text, CSV and SVG reports are rendered in memory and held to what
// they promise for any input.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "cases/traverse_case.hpp"
#include "reports/traverse_report.hpp"
#include "studies/traverse.hpp"
#include "support/framed_files.hpp"
#include "support/fuzz_plugin.hpp"
#include "support/report_checks.hpp"
#include "text/error.hpp"

namespace {

using namespace pipecorr;
using hostkit::Error;

constexpr std::size_t kMaxSteps = 300;
constexpr double kDefaultStep = 10.0;  // m, as the command's
constexpr double kTableRows = 20.0;

void check_traverse(const hostkit::WellTraverse& traverse) {
  constexpr std::string_view kWhat = "pipeline traverse";
  for (const auto& s : traverse.stations) {
    fuzz::require(std::isfinite(s.pressure) && s.pressure > 0.0, kWhat,
                  "positive finite station pressures");
    fuzz::require(std::isfinite(s.md) && std::isfinite(s.tvd), kWhat,
                  "finite positions");
    fuzz::require(std::isfinite(s.gradient), kWhat, "finite gradients");
    fuzz::require(s.holdup >= 0.0 && s.holdup <= 1.0, kWhat,
                  "holdups from 0 to 1");
  }
  fuzz::require(traverse.completed == traverse.stopped.empty(), kWhat,
                "a reason exactly when the march stopped");
}

void march_and_report(const hostkit::Correlation& correlation,
                      const hostkit::TraverseCase& pipe) {
  const double total = pipe.total_length();
  const double step =
      std::max(kDefaultStep, total / static_cast<double>(kMaxSteps / 2));
  hostkit::WellTraverse traverse;
  try {
    traverse = hostkit::run_traverse(correlation, pipe, step, kMaxSteps);
  } catch (const Error&) {
    return;
  }
  check_traverse(traverse);
  const hostkit::TraverseHeading heading{pipe.title, "fuzz.case",
                                         correlation.name(), step};
  const double every =
      total > 0.0 && std::isfinite(total) ? total / kTableRows : 1.0;
  fuzz::require(!hostkit::traverse_text(heading, pipe, traverse, every).empty(),
                "pipeline traverse table", "a table");
  fuzz::require_numeric_csv(hostkit::traverse_csv(pipe, traverse),
                            "pipeline traverse CSV", {"pattern"});
  fuzz::require_finite_svg(hostkit::traverse_svg(heading, pipe, traverse),
                           "pipeline traverse picture");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  const fuzz::FramedFiles files(fuzz::as_text(data, size));
  hostkit::TraverseCase pipe;
  try {
    // As load_case reads a case file and the profile beside it.
    pipe = hostkit::parse_case_text(files.first(), "fuzz.case");
    if (pipe.title.empty()) pipe.title = "fuzz";
    pipe.profile = hostkit::parse_profile(files.read(pipe.profile_path),
                                          pipe.profile_path.string());
  } catch (const Error&) {
    return 0;  // refused with a message: what a bad case must get
  }
  const auto& correlations = fuzz::fuzz_correlations();
  for (const char* name : {"BB_3", "BB_2"}) {
    march_and_report(correlations.choose(name), pipe);
  }
  return 0;
}
