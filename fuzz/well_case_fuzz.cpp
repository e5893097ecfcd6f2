// A field case from bytes, through the march and every report.
//
// Input: the case text, then the files it names (survey, pipe sections,
// temperature profile), framed as support/framed_files.hpp describes;
// the case is "fuzz.case" in no folder, so it names its files plainly
// ("survey = s.csv" reads the block "=== s.csv").
//
// Each case that reads is marched with at most two of the correlations it
// names (the catalogue's first when it names none), and a case with lift
// rates gets at most four rates on at most two curves. The march is held
// to a few hundred steps, the step lengthened where the case's would need
// more, so each input takes milliseconds. The text, CSV and SVG reports
// are rendered in memory and held to what they promise for any input.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "cases/well_case.hpp"
#include "reports/lift_report.hpp"
#include "reports/well_report.hpp"
#include "studies/lift_curves.hpp"
#include "studies/well_traverse.hpp"
#include "support/framed_files.hpp"
#include "support/fuzz_plugin.hpp"
#include "support/report_checks.hpp"
#include "text/error.hpp"

namespace {

using namespace pipecorr;
using hostkit::Error;

constexpr std::size_t kMaxSteps = 300;
constexpr std::size_t kMaxCorrelations = 2;
constexpr std::size_t kMaxLiftRates = 4;
constexpr std::size_t kMaxLiftCurves = 2;

// Keeps the march short: no more than kMaxSteps steps, counted as the
// case reader counts them (one per survey interval and pipe section at
// least, and none longer than the longest step).
void bound_march(hostkit::WellCase& c) {
  const well::WellPath path = hostkit::well_path(c);
  const double length = path.bottom_md() - path.top_md();
  const double floor =
      static_cast<double>(path.stations().size() + c.pipe.sections().size());
  const double room = static_cast<double>(kMaxSteps) - floor;
  if (room >= 1.0 && length / c.march.max_step > room) {
    c.march.max_step = length / room;
  }
  c.march.max_steps = kMaxSteps;
}

void bound_lift(hostkit::LiftSettings& lift) {
  if (lift.liquid_rates.size() > kMaxLiftRates) {
    lift.liquid_rates.resize(kMaxLiftRates);
  }
  if (lift.gas_liquid_ratios.size() > kMaxLiftCurves) {
    lift.gas_liquid_ratios.resize(kMaxLiftCurves);
  }
  if (lift.wellhead_pressures.size() > kMaxLiftCurves) {
    lift.wellhead_pressures.resize(kMaxLiftCurves);
  }
}

// The correlations the case names, as the command resolves them.
std::vector<const hostkit::Correlation*> chosen(const hostkit::WellCase& c) {
  const auto& correlations = fuzz::fuzz_correlations();
  std::vector<std::string> names = c.correlations;
  if (names.empty()) names.emplace_back();
  if (names.size() > kMaxCorrelations) names.resize(kMaxCorrelations);
  std::vector<const hostkit::Correlation*> out;
  for (const auto& name : names) {
    const hostkit::Correlation* correlation = &correlations.choose(name);
    if (std::find(out.begin(), out.end(), correlation) == out.end()) {
      out.push_back(correlation);
    }
  }
  return out;
}

void check_traverse(const hostkit::WellTraverse& t) {
  constexpr std::string_view kWhat = "well traverse";
  fuzz::require(t.completed == t.stopped.empty(), kWhat,
                "a reason exactly when it stopped");
  if (t.completed) {
    fuzz::require(std::isfinite(t.answer) && t.answer > 0.0, kWhat,
                  "a positive finite answer");
  }
  for (const auto& s : t.stations) {
    fuzz::require(std::isfinite(s.pressure) && s.pressure > 0.0, kWhat,
                  "positive finite station pressures");
    fuzz::require(std::isfinite(s.temperature) && s.temperature > 0.0, kWhat,
                  "positive finite station temperatures");
    fuzz::require(std::isfinite(s.md) && std::isfinite(s.tvd), kWhat,
                  "finite depths");
    fuzz::require(std::isfinite(s.gradient), kWhat, "finite gradients");
    fuzz::require(s.holdup >= 0.0 && s.holdup <= 1.0, kWhat,
                  "holdups from 0 to 1");
  }
}

void traverse_reports(const hostkit::WellCase& c,
                      const std::vector<const hostkit::Correlation*>& list) {
  std::vector<hostkit::WellTraverse> traverses;
  for (const hostkit::Correlation* correlation : list) {
    try {
      traverses.push_back(hostkit::traverse_well(*correlation, c));
    } catch (const Error&) {
      return;  // a case that cannot be marched at all
    }
    check_traverse(traverses.back());
  }
  const std::string text = hostkit::well_traverse_text(c, traverses);
  fuzz::require(!text.empty(), "well traverse table", "a table");
  fuzz::require_numeric_csv(hostkit::well_traverse_csv(c, traverses),
                            "well traverse CSV", {"correlation", "pattern"});
  fuzz::require_finite_svg(hostkit::well_traverse_svg(c, traverses),
                           "well traverse picture");
}

void lift_reports(const hostkit::WellCase& c,
                  const hostkit::Correlation& correlation) {
  hostkit::LiftCurves curves;
  try {
    curves = hostkit::compute_lift_curves(correlation, c);
  } catch (const Error&) {
    return;
  }
  const std::string text = hostkit::lift_curves_text(c, curves);
  fuzz::require(!text.empty(), "lift table", "a table");
  fuzz::require_numeric_csv(hostkit::lift_curves_csv(c, curves), "lift CSV",
                            {"correlation", "point"});
  fuzz::require_finite_svg(hostkit::lift_curves_svg(c, curves), "lift picture");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  const fuzz::FramedFiles files(fuzz::as_text(data, size));
  hostkit::WellCase c;
  std::vector<const hostkit::Correlation*> correlations;
  try {
    c = hostkit::parse_well_case(files.first(), "fuzz.case",
                                 [&files](const std::filesystem::path& path) {
                                   return files.read(path);
                                 });
    correlations = chosen(c);
  } catch (const Error&) {
    return 0;  // refused with a message: what a bad case must get
  }
  bound_march(c);
  bound_lift(c.lift);
  traverse_reports(c, correlations);
  if (!c.lift.liquid_rates.empty()) lift_reports(c, *correlations.front());
  return 0;
}
