#include "studies/flow_map.hpp"

#include <cmath>

#include "numbers/number_text.hpp"
#include "plugin/pattern_names.hpp"
#include "text/error.hpp"

namespace pipecorr::hostkit {
namespace {

constexpr int kMaxPoints = 1000;
constexpr double kNarrowestDecades = 1e-6;

void check_bounds(double low, double high, const char* name) {
  if (!(low > 0.0) || !std::isfinite(low) || !std::isfinite(high)) {
    throw Error(std::string("map range of ") + name +
                " must be positive and finite (a log-log grid), got " +
                shortest(low) + " to " + shortest(high));
  }
  if (!(high > low)) {
    throw Error(std::string("map range of ") + name + ": the upper bound " +
                shortest(high) + " must exceed the lower bound " +
                shortest(low));
  }
  // Bounds a rounding apart would give cells of zero width on a log axis.
  if (!(std::log10(high) - std::log10(low) >= kNarrowestDecades)) {
    throw Error(std::string("map range of ") + name + " from " + shortest(low) +
                " to " + shortest(high) +
                " is too narrow to draw (less than a millionth of a decade)");
  }
}

std::vector<double> log_centres(double low, double high, int count) {
  std::vector<double> centres;
  const double from = std::log10(low);
  const double step = (std::log10(high) - from) / count;
  for (int i = 0; i < count; ++i) {
    centres.push_back(std::pow(10.0, from + (i + 0.5) * step));
  }
  return centres;
}

}  // namespace

void check_map_range(const MapRange& range) {
  check_bounds(range.usl_min, range.usl_max, "usl");
  check_bounds(range.usg_min, range.usg_max, "usg");
  if (range.points < 2 || range.points > kMaxPoints) {
    throw Error("map points per axis must be between 2 and " +
                std::to_string(kMaxPoints) + ", got " +
                std::to_string(range.points));
  }
}

FlowMap compute_flow_map(const Correlation& correlation,
                         const FlowInputs& fluids, const MapRange& range) {
  check_map_range(range);
  FlowMap map;
  map.range = range;
  map.fluids = fluids;
  map.correlation = correlation.name();
  map.description = correlation.entry().description;
  map.usl = log_centres(range.usl_min, range.usl_max, range.points);
  map.usg = log_centres(range.usg_min, range.usg_max, range.points);
  map.cells.reserve(map.usl.size() * map.usg.size());
  FlowInputs point = fluids;
  FlowResult result;
  for (const double usl : map.usl) {
    for (const double usg : map.usg) {
      point.usl = usl;
      point.usg = usg;
      correlation.call(point, result);
      map.cells.push_back({result.dp, result.holdup, result.id, result.ierr});
      if (result.ierr != 0 && map.first_error.empty()) {
        map.first_error = std::string(result.message());
      }
    }
  }
  return map;
}

}  // namespace pipecorr::hostkit
