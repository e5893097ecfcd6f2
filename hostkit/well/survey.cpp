#include "well/survey.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <utility>

#include "numbers/number_text.hpp"

namespace pipecorr::well {
namespace {

constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;

// Given TVDs are usually printed to the centimetre; their differences may
// then exceed the md difference by that much on a vertical stretch.
constexpr double kTvdRounding = 0.01;  // m

// Near a full reversal the arc's ratio factor loses all accuracy, and no
// drilled hole turns back on itself between two stations anyway.
constexpr double kLargestDogleg = 179.9;  // degrees

std::string station_text(std::size_t i, const SurveyStation& s) {
  return "survey station " + std::to_string(i + 1) + " (md " +
         number_text(s.md) + " m)";
}

[[noreturn]] void fail(std::size_t i, const SurveyStation& s,
                       const std::string& why) {
  throw SurveyError(station_text(i, s) + ": " + why, i);
}

void check_station(std::span<const SurveyStation> survey, std::size_t i) {
  const SurveyStation& s = survey[i];
  if (!std::isfinite(s.md)) fail(i, s, "md is not a finite number");
  if (!std::isfinite(s.inclination) || s.inclination < 0.0 ||
      s.inclination > 180.0) {
    fail(i, s,
         "inclination " + number_text(s.inclination) +
             " degrees is outside 0 (straight down) to 180 (straight up)");
  }
  if (s.azimuth.has_value() != survey.front().azimuth.has_value()) {
    fail(i, s,
         "azimuth must be given for every station or for none (station 1 " +
             std::string(survey.front().azimuth ? "has" : "has none") + ")");
  }
  if (s.azimuth && !std::isfinite(*s.azimuth)) {
    fail(i, s, "azimuth is not a finite number");
  }
  if (s.tvd.has_value() != survey.front().tvd.has_value()) {
    fail(i, s,
         "tvd must be given for every station or for none (station 1 " +
             std::string(survey.front().tvd ? "has" : "has none") + ")");
  }
  if (s.tvd && !std::isfinite(*s.tvd)) {
    fail(i, s, "tvd is not a finite number");
  }
  if (i == 0) return;
  const SurveyStation& above = survey[i - 1];
  if (!(s.md > above.md)) {
    fail(i, s,
         "md must increase strictly down the survey; the station above is "
         "at md " +
             number_text(above.md) + " m");
  }
  if (!std::isfinite(s.md - above.md)) {
    fail(i, s, "the md step from the station above is too large to compute");
  }
  if (s.tvd &&
      std::fabs(*s.tvd - *above.tvd) > s.md - above.md + kTvdRounding) {
    fail(i, s,
         "tvd changes by " + number_text(*s.tvd - *above.tvd) + " m over " +
             number_text(s.md - above.md) +
             " m of hole, more than the hole's length");
  }
}

// A station's direction in radians with its sines and cosines, worked out
// once for the two intervals the station bounds.
struct Direction {
  double inc;
  double azi;
  double sin_inc;
  double cos_inc;
  double sin_azi;
  double cos_azi;
};

Direction direction_of(double inclination, double azimuth) {
  const double inc = inclination * kRadiansPerDegree;
  const double azi = azimuth * kRadiansPerDegree;
  return {inc, azi, std::sin(inc), std::cos(inc), std::sin(azi), std::cos(azi)};
}

PathStep arc_between(double length, const Direction& a, const Direction& b) {
  // The dogleg from the half-angle form: the usual arccos of a cosine is
  // inaccurate for the small doglegs of most survey intervals.
  const double half_inc = std::sin(0.5 * (b.inc - a.inc));
  const double half_azi = std::sin(0.5 * (b.azi - a.azi));
  const double h =
      half_inc * half_inc + a.sin_inc * b.sin_inc * half_azi * half_azi;
  const double dogleg = 2.0 * std::asin(std::sqrt(std::clamp(h, 0.0, 1.0)));
  // Ratio of the arc's projections to the straight-line ones, 1 + d^2/12
  // + ... where the closed form would divide by nearly zero.
  const double ratio = dogleg < 1e-4 ? 1.0 + dogleg * dogleg / 12.0
                                     : 2.0 / dogleg * std::tan(0.5 * dogleg);
  const double half = 0.5 * length * ratio;
  PathStep step;
  step.tvd = half * (a.cos_inc + b.cos_inc);
  step.north = half * (a.sin_inc * a.cos_azi + b.sin_inc * b.cos_azi);
  step.east = half * (a.sin_inc * a.sin_azi + b.sin_inc * b.sin_azi);
  step.dogleg = dogleg / kRadiansPerDegree;
  return step;
}

// The average-angle line without its dogleg.
PathStep average_angle_line(double length, double inc1, double azi1,
                            double inc2, double azi2) {
  const double inc = 0.5 * (inc1 + inc2) * kRadiansPerDegree;
  // 350 and 10 degrees average to 0, not 180.
  const double azi =
      (azi1 + 0.5 * std::remainder(azi2 - azi1, 360.0)) * kRadiansPerDegree;
  PathStep step;
  step.tvd = length * std::cos(inc);
  step.north = length * std::sin(inc) * std::cos(azi);
  step.east = length * std::sin(inc) * std::sin(azi);
  return step;
}

}  // namespace

PathStep minimum_curvature_step(double length, double inc1, double azi1,
                                double inc2, double azi2) {
  return arc_between(length, direction_of(inc1, azi1),
                     direction_of(inc2, azi2));
}

PathStep average_angle_step(double length, double inc1, double azi1,
                            double inc2, double azi2) {
  PathStep step = average_angle_line(length, inc1, azi1, inc2, azi2);
  step.dogleg = minimum_curvature_step(1.0, inc1, azi1, inc2, azi2).dogleg;
  return step;
}

WellPath::WellPath(std::vector<PathStation> stations, TvdSource source)
    : stations_(std::move(stations)), source_(source), deepest_tvd_(0.0) {
  deepest_tvd_ = std::max_element(
                     stations_.begin(), stations_.end(),
                     [](const auto& a, const auto& b) { return a.tvd < b.tvd; })
                     ->tvd;
}

double WellPath::tvd_at(double md) const {
  if (!(md > top_md())) return top_tvd();
  if (!(md < bottom_md())) return stations_.back().tvd;
  const auto below =
      std::upper_bound(stations_.begin(), stations_.end(), md,
                       [](double m, const PathStation& s) { return m < s.md; });
  const PathStation& b = *below;
  const PathStation& a = *(below - 1);
  return a.tvd + (b.tvd - a.tvd) * ((md - a.md) / (b.md - a.md));
}

WellPath build_path(std::span<const SurveyStation> survey,
                    const SurveyOptions& options) {
  if (survey.size() < 2) {
    throw SurveyError("a survey needs at least two stations, got " +
                          std::to_string(survey.size()),
                      0);
  }
  for (std::size_t i = 0; i < survey.size(); ++i) check_station(survey, i);
  if (options.top_tvd && !std::isfinite(*options.top_tvd)) {
    throw SurveyError("the top TVD is not a finite number", 0);
  }

  const bool given = survey.front().tvd.has_value();
  // The arc of an interval gives its dogleg whatever its length, so one
  // arc per interval serves both the check and a minimum-curvature TVD.
  const bool arc_tvd = !given && options.method == TvdMethod::kMinimumCurvature;
  std::vector<PathStation> stations(survey.size());
  Direction above_direction{};
  for (std::size_t i = 0; i < survey.size(); ++i) {
    const SurveyStation& s = survey[i];
    PathStation& p = stations[i];
    p.md = s.md;
    p.inclination = s.inclination;
    p.azimuth = s.azimuth;
    const double azi2 = s.azimuth.value_or(0.0);
    const Direction direction = direction_of(s.inclination, azi2);
    if (given) {
      p.tvd = *s.tvd;
    } else if (i == 0) {
      p.tvd = options.top_tvd.value_or(s.md);
    }
    if (i == 0) {
      above_direction = direction;
      continue;
    }
    const SurveyStation& above = survey[i - 1];
    const double length = s.md - above.md;
    const PathStep arc =
        arc_between(arc_tvd ? length : 1.0, above_direction, direction);
    above_direction = direction;
    if (arc.dogleg > kLargestDogleg) {
      fail(i, s,
           "the hole turns through " + number_text(arc.dogleg) +
               " degrees from the station above: it cannot turn back on "
               "itself between two stations");
    }
    if (arc_tvd) {
      p.tvd = stations[i - 1].tvd + arc.tvd;
    } else if (!given) {
      p.tvd =
          stations[i - 1].tvd + average_angle_line(length, above.inclination,
                                                   above.azimuth.value_or(0.0),
                                                   s.inclination, azi2)
                                    .tvd;
    }
  }
  const TvdSource source = given ? TvdSource::kGiven
                           : options.method == TvdMethod::kMinimumCurvature
                               ? TvdSource::kMinimumCurvature
                               : TvdSource::kAverageAngle;
  return WellPath(std::move(stations), source);
}

}  // namespace pipecorr::well
