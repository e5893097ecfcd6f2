#include "plot/report_plot.hpp"

#include <algorithm>
#include <array>
#include <cmath>

namespace pipecorr::hostkit {
namespace {

constexpr std::array<std::string_view, 8> kCurveColours{
    "#1f4e79", "#c0392b", "#2e7d32", "#7b1fa2",
    "#d35400", "#00838f", "#5d4037", "#546e7a"};
constexpr std::array<std::string_view, 4> kCurveDashes{"", "8 4", "2 3",
                                                       "8 3 2 3"};

constexpr int kRoundingPasses = 8;

// The tick step plot_axes would choose for `span` and `target` ticks.
double round_step(double span, int target) {
  const double raw = span / std::max(1, target);
  const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
  for (const double factor : {1.0, 2.0, 2.5, 5.0}) {
    if (factor * magnitude >= raw) return factor * magnitude;
  }
  return 10.0 * magnitude;
}

}  // namespace

void DataRange::include(double value) {
  if (!std::isfinite(value)) return;
  if (empty_) {
    low_ = high_ = value;
    empty_ = false;
    return;
  }
  low_ = std::min(low_, value);
  high_ = std::max(high_, value);
}

Scale axis_scale(const DataRange& range, double pixel_from, double pixel_to,
                 const AxisPolicy& policy) {
  double low = range.empty() ? 0.0 : range.low();
  double high = range.empty() ? 0.0 : range.high();
  // A span a millionth of the values' size at least: below it the ticks
  // and pixels would be lost to rounding.
  const double magnitude = std::max(std::abs(low), std::abs(high));
  const double narrowest =
      std::max({policy.minimum_span > 0.0 ? policy.minimum_span : 1.0,
                1e-6 * magnitude, 1e-300});
  if (!(high - low >= narrowest)) {
    if (policy.keep_low) {
      high = low + narrowest;
    } else {
      const double middle = 0.5 * (low + high);
      low = middle - 0.5 * narrowest;
      high = middle + 0.5 * narrowest;
    }
  }
  // Out to multiples of the tick step; the wider range may call for a
  // coarser step, so again until the step the axis will draw with is the
  // one rounded to. Each pass only widens, so the step only grows: a few
  // passes climb the whole ladder of steps.
  for (int pass = 0; pass < kRoundingPasses; ++pass) {
    const double step = round_step(high - low, policy.target_ticks);
    if (!(std::isfinite(step) && step > 0.0)) break;
    // A value a rounding error past a multiple counts as on it, as it does
    // for the ticks.
    const double rounded_low =
        policy.keep_low ? low : std::floor(low / step + 1e-9) * step;
    const double rounded_high = std::ceil(high / step - 1e-9) * step;
    if (!(std::isfinite(rounded_low) && std::isfinite(rounded_high) &&
          rounded_high > rounded_low)) {
      break;
    }
    low = rounded_low;
    high = rounded_high;
    if (round_step(high - low, policy.target_ticks) == step) break;
  }
  if (!(std::isfinite(low) && std::isfinite(high) && high > low)) {
    // Values near the end of the doubles: show a plain unit range instead.
    low = 0.0;
    high = 1.0;
  }
  return {low, high, false, pixel_from, pixel_to};
}

CurveStyle curve_style(std::size_t index) {
  return {kCurveColours[index % kCurveColours.size()],
          kCurveDashes[(index / kCurveColours.size()) % kCurveDashes.size()]};
}

std::string curve_attributes(const CurveStyle& style, std::string_view id) {
  std::string attributes = "stroke-linejoin=\"round\" stroke-linecap=\"round\"";
  if (!id.empty()) attributes += " id=\"" + std::string(id) + "\"";
  if (!style.dash.empty()) {
    attributes += " stroke-dasharray=\"" + std::string(style.dash) + "\"";
  }
  return attributes;
}

void PathData::add(double x, double y) {
  if (!(std::isfinite(x) && std::isfinite(y))) {
    pen_down_ = false;
    return;
  }
  d_ += pen_down_ ? 'L' : 'M';
  d_ += coordinate(x) + " " + coordinate(y);
  pen_down_ = true;
}

void panel_background(SvgWriter& svg, const PlotArea& area) {
  svg.rect(area.left, area.top, area.width, area.height, "#e8ecf1");
}

void panel_frame(SvgWriter& svg, const PlotArea& area) {
  svg.rect(area.left, area.top, area.width, area.height, "none",
           "stroke=\"#222222\" stroke-width=\"1.2\"");
}

void horizontal_grid(SvgWriter& svg, const PlotArea& area, const Scale& scale,
                     int target_ticks) {
  for (const double value : major_ticks(scale, target_ticks)) {
    const double y = scale.to_pixel(value);
    svg.line(area.left, y, area.right(), y, "#ffffff", 0.8,
             "stroke-opacity=\"0.6\"");
  }
}

void legend_swatch(SvgWriter& svg, double x, double y,
                   const CurveStyle& style) {
  PathData d;
  d.add(x, y);
  d.add(x + 28.0, y);
  svg.path(d.text(), style.colour, 2.4, curve_attributes(style, {}));
}

}  // namespace pipecorr::hostkit
