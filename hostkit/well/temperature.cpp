#include "well/temperature.hpp"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

#include "numbers/number_text.hpp"

namespace pipecorr::well {
namespace {

bool usable_temperature(double t) { return t > 0.0 && std::isfinite(t); }

}  // namespace

GeothermalTemperature::GeothermalTemperature(double top_tvd,
                                             double top_temperature,
                                             double bottom_tvd,
                                             double bottom_temperature)
    : top_tvd_(top_tvd), top_temperature_(top_temperature), gradient_(0.0) {
  if (!usable_temperature(top_temperature) ||
      !usable_temperature(bottom_temperature)) {
    throw WellInputError("geothermal temperature: wellhead " +
                         number_text(top_temperature) + " K and bottom " +
                         number_text(bottom_temperature) +
                         " K must both be positive and finite");
  }
  if (!(std::isfinite(top_tvd) && std::isfinite(bottom_tvd) &&
        top_tvd < bottom_tvd)) {
    throw WellInputError(
        "geothermal temperature: the top TVD " + number_text(top_tvd) +
        " m must lie above the bottom TVD " + number_text(bottom_tvd) + " m");
  }
  gradient_ = (bottom_temperature - top_temperature) / (bottom_tvd - top_tvd);
}

GeothermalTemperature GeothermalTemperature::for_path(
    const WellPath& path, double wellhead_temperature,
    double bottom_hole_temperature) {
  return GeothermalTemperature(path.top_tvd(), wellhead_temperature,
                               path.deepest_tvd(), bottom_hole_temperature);
}

double GeothermalTemperature::at_tvd(double tvd) const {
  return top_temperature_ + gradient_ * (tvd - top_tvd_);
}

TemperatureProfile::TemperatureProfile(std::vector<TemperaturePoint> points)
    : points_(std::move(points)) {
  if (points_.empty()) {
    throw WellInputError("temperature profile: no points given");
  }
  for (std::size_t i = 0; i < points_.size(); ++i) {
    const TemperaturePoint& p = points_[i];
    const std::string where = "temperature profile point " +
                              std::to_string(i + 1) + " (md " +
                              number_text(p.md) + " m): ";
    if (!std::isfinite(p.md)) {
      throw WellInputError(where + "md is not a finite number", i);
    }
    if (!usable_temperature(p.temperature)) {
      throw WellInputError(where + "temperature " + number_text(p.temperature) +
                               " K is not positive and finite",
                           i);
    }
    if (i > 0 && !(p.md > points_[i - 1].md)) {
      throw WellInputError(where +
                               "md must increase strictly from the "
                               "point before, at md " +
                               number_text(points_[i - 1].md) + " m",
                           i);
    }
  }
}

double TemperatureProfile::at_md(double md) const {
  if (!(md > points_.front().md)) return points_.front().temperature;
  if (!(md < points_.back().md)) return points_.back().temperature;
  const auto after = std::upper_bound(
      points_.begin(), points_.end(), md,
      [](double m, const TemperaturePoint& p) { return m < p.md; });
  const TemperaturePoint& b = *after;
  const TemperaturePoint& a = *(after - 1);
  return a.temperature +
         (b.temperature - a.temperature) * ((md - a.md) / (b.md - a.md));
}

double temperature_at(const TemperatureModel& model, double md, double tvd) {
  struct Reader {
    double md, tvd;
    double operator()(const GeothermalTemperature& m) const {
      return m.at_tvd(tvd);
    }
    double operator()(const TemperatureProfile& m) const { return m.at_md(md); }
    double operator()(const RameyTemperature& m) const { return m.at_tvd(tvd); }
  };
  return std::visit(Reader{md, tvd}, model);
}

void check_temperature(const TemperatureModel& model, const WellPath& path) {
  if (const auto* profile = std::get_if<TemperatureProfile>(&model)) {
    const auto points = profile->points();
    if (points.size() > 1 && (points.front().md > path.top_md() ||
                              points.back().md < path.bottom_md())) {
      throw WellInputError(
          "temperature profile: it spans md " + number_text(points.front().md) +
          " to " + number_text(points.back().md) +
          " m, not the whole well from " + number_text(path.top_md()) + " to " +
          number_text(path.bottom_md()) + " m");
    }
  }
  for (const PathStation& s : path.stations()) {
    const double t = temperature_at(model, s.md, s.tvd);
    if (!usable_temperature(t)) {
      throw WellInputError("temperature: the model gives " + number_text(t) +
                           " K at md " + number_text(s.md) +
                           " m, not a positive temperature");
    }
  }
}

}  // namespace pipecorr::well
