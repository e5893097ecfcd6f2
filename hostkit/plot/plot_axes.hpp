// Axes for the command's pictures: linear or logarithmic scales, tick marks
// at round values with labels, titles with units.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "plot/svg_writer.hpp"

namespace pipecorr::hostkit {

struct Scale {
  double min = 0.0;
  double max = 1.0;
  bool logarithmic = false;
  double pixel_from = 0.0;  // pixel of min
  double pixel_to = 1.0;    // pixel of max

  [[nodiscard]] double to_pixel(double value) const;
};

struct PlotArea {
  double left = 0.0;
  double top = 0.0;
  double width = 0.0;
  double height = 0.0;
  [[nodiscard]] double right() const { return left + width; }
  [[nodiscard]] double bottom() const { return top + height; }
};

// Round tick values covering [min, max]: about `target` of them on a linear
// scale, every decade on a logarithmic one.
[[nodiscard]] std::vector<double> major_ticks(const Scale& scale, int target);

// "0.001", "2.5", "1e+06": short, without trailing zeros.
[[nodiscard]] std::string tick_label(double value);

// Ticks, labels, light grid lines across the area and the title. The x
// axis runs along the bottom of the area, the y axis along its left side.
void draw_x_axis(SvgWriter& svg, const PlotArea& area, const Scale& scale,
                 std::string_view title, int target_ticks = 6);
void draw_y_axis(SvgWriter& svg, const PlotArea& area, const Scale& scale,
                 std::string_view title, int target_ticks = 6,
                 bool right_side = false);

}  // namespace pipecorr::hostkit
