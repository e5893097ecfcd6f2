// A directional survey and the well path made from it: measured depth,
// true vertical depth and the angles at every station.
//
// Depths are in metres from one datum (the same for md and tvd), tvd
// positive downward. Angles are in degrees, as surveys give them:
// inclination from vertical (0 straight down, 90 horizontal, 180 straight
// up), azimuth clockwise from north.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

#include "well/input_error.hpp"

namespace pipecorr::well {

// One station as a survey lists it.
struct SurveyStation {
  double md = 0.0;           // m along the hole
  double inclination = 0.0;  // degrees from vertical, 0 to 180
  // Degrees clockwise from north. Given for every station or for none;
  // without it the well is taken to lie in one vertical plane.
  std::optional<double> azimuth;
  // m below the datum. Given for every station or for none; without it
  // the path computes it.
  std::optional<double> tvd;
};

// How the path computes TVD when the survey gives none.
enum class TvdMethod {
  kMinimumCurvature,  // a circular arc between stations (the usual choice)
  kAverageAngle,      // a straight line at the mean of the two stations' angles
};

// Where the path's TVD came from.
enum class TvdSource { kGiven, kMinimumCurvature, kAverageAngle };

struct SurveyOptions {
  TvdMethod method = TvdMethod::kMinimumCurvature;
  // TVD of the first station when TVD is computed. Absent: equal to the
  // first station's md (the hole above the survey taken as vertical).
  std::optional<double> top_tvd;
};

struct PathStation {
  double md = 0.0;                // m
  double tvd = 0.0;               // m, positive downward
  double inclination = 0.0;       // degrees from vertical
  std::optional<double> azimuth;  // degrees from north, as surveyed
};

// The change of position along one survey interval.
struct PathStep {
  double tvd = 0.0;     // m, positive downward
  double north = 0.0;   // m
  double east = 0.0;    // m
  double dogleg = 0.0;  // total change of direction, degrees (>= 0)
};

// One interval by minimum curvature: the circular arc of length `length`
// (m) joining the directions (inclination, azimuth in degrees) at its ends.
[[nodiscard]] PathStep minimum_curvature_step(double length, double inc1,
                                              double azi1, double inc2,
                                              double azi2);

// One interval by the average-angle method: a straight line of length
// `length` (m) at the mean inclination and mean azimuth (the mean taken the
// short way round north).
[[nodiscard]] PathStep average_angle_step(double length, double inc1,
                                          double azi1, double inc2,
                                          double azi2);

// A validated well path: at least two stations, md strictly increasing,
// every value finite. The first station is the top of the well (the
// wellhead end), the last the bottom.
class WellPath {
 public:
  [[nodiscard]] std::span<const PathStation> stations() const {
    return stations_;
  }
  [[nodiscard]] TvdSource tvd_source() const { return source_; }
  [[nodiscard]] double top_md() const { return stations_.front().md; }
  [[nodiscard]] double bottom_md() const { return stations_.back().md; }
  [[nodiscard]] double top_tvd() const { return stations_.front().tvd; }
  // The largest TVD of any station (m): for a well that turns upward at
  // its toe this is not the last station's.
  [[nodiscard]] double deepest_tvd() const { return deepest_tvd_; }

  // TVD (m) at `md` (m), on the straight line between the stations around
  // it; clamped to the end stations' TVD outside the path.
  [[nodiscard]] double tvd_at(double md) const;

 private:
  friend WellPath build_path(std::span<const SurveyStation>,
                             const SurveyOptions&);
  WellPath(std::vector<PathStation> stations, TvdSource source);

  std::vector<PathStation> stations_;
  TvdSource source_;
  double deepest_tvd_;
};

// Validates the survey and makes the path, computing TVD by
// `options.method` when the survey gives none. Throws SurveyError naming
// the first station at fault: fewer than two stations, a value that is
// not finite, md not strictly increasing, an inclination outside 0..180,
// TVD or azimuth given for some stations only, a given TVD that changes
// by more than the md between two stations (beyond 1 cm of rounding), or
// the hole turning back on itself (a dogleg within 0.1 degree of 180)
// between two stations.
[[nodiscard]] WellPath build_path(std::span<const SurveyStation> survey,
                                  const SurveyOptions& options = {});

}  // namespace pipecorr::well
