#include "plot/plot_axes.hpp"

#include <cmath>

#include "numbers/number_text.hpp"

namespace pipecorr::hostkit {
namespace {

constexpr std::string_view kAxisColour = "#222222";
constexpr std::string_view kGridColour = "#ffffff";
constexpr double kTickLength = 6.0;
constexpr double kLabelSize = 12.0;
constexpr double kTitleSize = 13.0;
// More ticks than any axis can show means the scale is degenerate.
constexpr double kMaxTicks = 1000.0;

// Minor ticks at 2..9 times each decade of a logarithmic scale.
std::vector<double> minor_ticks(const Scale& scale) {
  std::vector<double> ticks;
  if (!scale.logarithmic || !(scale.min > 0.0) || !std::isfinite(scale.max)) {
    return ticks;
  }
  const int first = static_cast<int>(std::floor(std::log10(scale.min)));
  const int last = static_cast<int>(std::ceil(std::log10(scale.max)));
  for (int decade = first; decade <= last; ++decade) {
    for (int m = 2; m <= 9; ++m) {
      const double value = m * std::pow(10.0, decade);
      if (value >= scale.min && value <= scale.max) ticks.push_back(value);
    }
  }
  return ticks;
}

}  // namespace

double Scale::to_pixel(double value) const {
  const double fraction = logarithmic ? (std::log10(value) - std::log10(min)) /
                                            (std::log10(max) - std::log10(min))
                                      : (value - min) / (max - min);
  return pixel_from + fraction * (pixel_to - pixel_from);
}

std::vector<double> major_ticks(const Scale& scale, int target) {
  std::vector<double> ticks;
  if (scale.logarithmic) {
    if (!(scale.min > 0.0) || !std::isfinite(scale.max)) return ticks;
    const int first = static_cast<int>(std::ceil(std::log10(scale.min) - 1e-9));
    const int last = static_cast<int>(std::floor(std::log10(scale.max) + 1e-9));
    for (int decade = first; decade <= last; ++decade) {
      ticks.push_back(std::pow(10.0, decade));
    }
    return ticks;
  }
  const double span = scale.max - scale.min;
  if (!(span > 0.0) || target < 1) return ticks;
  const double raw = span / target;
  const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
  double step = magnitude;
  for (const double factor : {1.0, 2.0, 2.5, 5.0, 10.0}) {
    step = factor * magnitude;
    if (step >= raw) break;
  }
  // Ticks by index, from a count the span and step fix: a step too small to
  // change the value can neither loop forever nor fill memory.
  const double first_index = std::ceil(scale.min / step - 1e-9);
  const double count = std::floor(scale.max / step + 1e-9) - first_index + 1.0;
  if (!(count >= 1.0 && count <= kMaxTicks)) return ticks;
  for (int i = 0; i < static_cast<int>(count); ++i) {
    const double value = (first_index + i) * step;
    ticks.push_back(std::abs(value) < step * 1e-9 ? 0.0 : value);
  }
  return ticks;
}

std::string tick_label(double value) {
  if (value == 0.0) return "0";
  const double magnitude = std::abs(value);
  if (magnitude >= 1e6 || magnitude < 1e-4) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
  }
  // Round to 6 significant digits first, then drop trailing zeros.
  char text[32];
  std::snprintf(text, sizeof text, "%.6g", value);
  return text;
}

void draw_x_axis(SvgWriter& svg, const PlotArea& area, const Scale& scale,
                 std::string_view title, int target_ticks) {
  for (const double value : minor_ticks(scale)) {
    const double x = scale.to_pixel(value);
    svg.line(x, area.bottom(), x, area.bottom() + kTickLength / 2, kAxisColour,
             0.8);
  }
  for (const double value : major_ticks(scale, target_ticks)) {
    const double x = scale.to_pixel(value);
    svg.line(x, area.top, x, area.bottom(), kGridColour, 0.8,
             "stroke-opacity=\"0.6\"");
    svg.line(x, area.bottom(), x, area.bottom() + kTickLength, kAxisColour,
             1.0);
    svg.text(x, area.bottom() + kTickLength + kLabelSize + 2, tick_label(value),
             kLabelSize, "middle");
  }
  svg.text(area.left + area.width / 2, area.bottom() + 44, title, kTitleSize,
           "middle");
}

void draw_y_axis(SvgWriter& svg, const PlotArea& area, const Scale& scale,
                 std::string_view title, int target_ticks, bool right_side) {
  const double edge = right_side ? area.right() : area.left;
  const double out = right_side ? 1.0 : -1.0;
  for (const double value : minor_ticks(scale)) {
    const double y = scale.to_pixel(value);
    svg.line(edge, y, edge + out * kTickLength / 2, y, kAxisColour, 0.8);
  }
  for (const double value : major_ticks(scale, target_ticks)) {
    const double y = scale.to_pixel(value);
    if (!right_side) {
      svg.line(area.left, y, area.right(), y, kGridColour, 0.8,
               "stroke-opacity=\"0.6\"");
    }
    svg.line(edge, y, edge + out * kTickLength, y, kAxisColour, 1.0);
    svg.text(edge + out * (kTickLength + 3), y + kLabelSize / 3,
             tick_label(value), kLabelSize, right_side ? "start" : "end");
  }
  const double title_x = edge + out * 58;
  const std::string rotate = "transform=\"rotate(" +
                             std::string(right_side ? "90 " : "-90 ") +
                             coordinate(title_x) + " " +
                             coordinate(area.top + area.height / 2) + ")\"";
  svg.text(title_x, area.top + area.height / 2, title, kTitleSize, "middle",
           rotate);
}

}  // namespace pipecorr::hostkit
