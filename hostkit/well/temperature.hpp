// Temperature along the well (K): a geothermal line in TVD, a measured
// profile along md, or Ramey's flowing temperature (ramey.hpp).
#pragma once

#include <span>
#include <variant>
#include <vector>

#include "well/input_error.hpp"
#include "well/ramey.hpp"
#include "well/survey.hpp"

namespace pipecorr::well {

// Linear in TVD through (top_tvd, top_temperature) and (bottom_tvd,
// bottom_temperature); extended along the same line beyond them.
class GeothermalTemperature {
 public:
  // TVD in m (top < bottom), temperatures in K (> 0). Throws
  // WellInputError otherwise.
  GeothermalTemperature(double top_tvd, double top_temperature,
                        double bottom_tvd, double bottom_temperature);

  // The wellhead temperature at the path's top station and the
  // bottom-hole temperature at its deepest TVD.
  [[nodiscard]] static GeothermalTemperature for_path(
      const WellPath& path, double wellhead_temperature,
      double bottom_hole_temperature);

  [[nodiscard]] double at_tvd(double tvd) const;  // K at tvd (m)
  // K per m of depth, positive when deeper is warmer.
  [[nodiscard]] double gradient() const { return gradient_; }

 private:
  double top_tvd_;
  double top_temperature_;
  double gradient_;
};

struct TemperaturePoint {
  double md = 0.0;           // m
  double temperature = 0.0;  // K
};

// Temperatures measured at points along md, linear between them and held
// at the end values beyond them. A single point means one temperature
// everywhere.
class TemperatureProfile {
 public:
  // Throws WellInputError naming the first bad point: none given, md not
  // strictly increasing, a value not finite, a temperature not positive.
  explicit TemperatureProfile(std::vector<TemperaturePoint> points);

  [[nodiscard]] double at_md(double md) const;  // K at md (m)
  [[nodiscard]] std::span<const TemperaturePoint> points() const {
    return points_;
  }

 private:
  std::vector<TemperaturePoint> points_;
};

using TemperatureModel =
    std::variant<GeothermalTemperature, TemperatureProfile, RameyTemperature>;

// The model's temperature (K) at the point of the well at `md` and `tvd`
// (m); each model reads the depth it is defined on.
[[nodiscard]] double temperature_at(const TemperatureModel& model, double md,
                                    double tvd);

// Throws WellInputError when the model does not describe the whole path:
// a profile of more than one point that does not span the path's md, or a
// temperature that is not positive and finite at a station.
void check_temperature(const TemperatureModel& model, const WellPath& path);

}  // namespace pipecorr::well
