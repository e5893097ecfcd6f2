// Pieces the well pictures share: axes that survive any data (none, one
// value, all values equal, values out of all proportion), curve styles that
// tell traverses apart, and path data with gaps where a value is missing.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "plot/plot_axes.hpp"
#include "plot/svg_writer.hpp"

namespace pipecorr::hostkit {

// The finite values seen; values that are not finite are left out.
class DataRange {
 public:
  void include(double value);
  [[nodiscard]] bool empty() const { return empty_; }
  [[nodiscard]] double low() const { return low_; }
  [[nodiscard]] double high() const { return high_; }

 private:
  bool empty_ = true;
  double low_ = 0.0;
  double high_ = 0.0;
};

struct AxisPolicy {
  // Narrowest span the axis shows, in the plotted unit: a range narrower
  // (one station, a constant pressure) is widened to it, around its middle
  // or, with keep_low, downward from its low end (a depth axis keeps the
  // wellhead at the top).
  double minimum_span = 1.0;
  bool keep_low = false;
  int target_ticks = 5;
};

// A linear scale from `range` (pixel_from at its low end), widened as
// `policy` says and then out to round tick values, so the axis ends on
// labelled values. An empty range shows [0, minimum_span]. The result has
// low < high, both finite, whatever the data.
[[nodiscard]] Scale axis_scale(const DataRange& range, double pixel_from,
                               double pixel_to, const AxisPolicy& policy);

// Colour and dash of the curve of traverse (or lift curve) `index`: eight
// colours, then the same colours dashed, dotted, dash-dotted.
struct CurveStyle {
  std::string_view colour;
  std::string_view dash;  // a stroke-dasharray, or empty for a solid line
};
[[nodiscard]] CurveStyle curve_style(std::size_t index);

// Attributes for a curve path of `style`, with an id unless `id` is empty:
// `stroke-linejoin="round" ... id="pressure-1"`.
[[nodiscard]] std::string curve_attributes(const CurveStyle& style,
                                           std::string_view id);

// Path data "M x y L x y ...", starting a new run after a point that is not
// finite, so a missing value leaves a gap instead of a wrong line.
class PathData {
 public:
  void add(double x, double y);
  void gap() { pen_down_ = false; }
  [[nodiscard]] const std::string& text() const { return d_; }

 private:
  std::string d_;
  bool pen_down_ = false;
};

// A plot panel's light background (under the grid) and its frame (over
// everything).
void panel_background(SvgWriter& svg, const PlotArea& area);
void panel_frame(SvgWriter& svg, const PlotArea& area);

// Horizontal grid lines at the scale's ticks across `area`, for panels that
// share a depth axis drawn at another panel.
void horizontal_grid(SvgWriter& svg, const PlotArea& area, const Scale& scale,
                     int target_ticks);

// A short line in `style` as a legend swatch, from (x, y) to (x + 28, y).
void legend_swatch(SvgWriter& svg, double x, double y, const CurveStyle& style);

inline constexpr std::string_view kInkColour = "#222222";
inline constexpr std::string_view kMutedColour = "#555555";
inline constexpr std::string_view kWarningColour = "#b00020";

}  // namespace pipecorr::hostkit
