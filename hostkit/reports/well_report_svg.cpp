// The picture of a well's traverses: three tracks over one depth axis, as
// logs are drawn, depth increasing downward. Depth is true vertical depth:
// pressure and temperature follow it (head and geothermal line), and the
// tracks of a deviated well stay comparable with a vertical one.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "plot/pattern_colours.hpp"
#include "plot/report_plot.hpp"
#include "plugin/pattern_names.hpp"
#include "reports/well_report.hpp"
#include "studies/well_summary.hpp"
#include "units/display_units.hpp"

namespace pipecorr::hostkit {
namespace {

constexpr double kLeft = 96.0;
constexpr double kTop = 96.0;
constexpr double kTrackHeight = 560.0;
constexpr double kTrackGap = 44.0;
constexpr double kPressureWidth = 250.0;
constexpr double kTemperatureWidth = 190.0;
constexpr double kHoldupWidth = 170.0;
// The pattern strips: one narrow column per traverse beside the holdup.
constexpr double kStripGap = 14.0;
constexpr double kStripBudget = 84.0;
constexpr double kLegendWidth = 250.0;
constexpr int kDepthTicks = 10;
constexpr int kValueTicks = 5;

struct Layout {
  PlotArea pressure;
  PlotArea temperature;
  PlotArea holdup;
  double strip_left = 0.0;
  double strip_width = 0.0;
  double strip_space = 0.0;
  double legend_left = 0.0;
  double width = 0.0;
};

Layout layout_for(std::size_t traverses) {
  Layout l;
  l.pressure = {kLeft, kTop, kPressureWidth, kTrackHeight};
  l.temperature = {l.pressure.right() + kTrackGap, kTop, kTemperatureWidth,
                   kTrackHeight};
  l.holdup = {l.temperature.right() + kTrackGap, kTop, kHoldupWidth,
              kTrackHeight};
  const double n = static_cast<double>(std::max<std::size_t>(traverses, 1));
  l.strip_space = n > 8.0 ? 1.0 : 4.0;
  l.strip_width =
      std::clamp((kStripBudget - l.strip_space * (n - 1.0)) / n, 3.0, 16.0);
  l.strip_left = l.holdup.right() + kStripGap;
  const double strips = n * l.strip_width + (n - 1.0) * l.strip_space;
  l.legend_left = l.strip_left + strips + 28.0;
  l.width = l.legend_left + kLegendWidth;
  return l;
}

struct Scales {
  Scale depth;  // pixels of the tracks' shared top and bottom
  Scale pressure;
  Scale temperature;
  Scale holdup;
};

Scales scales_for(const WellCase& well_case,
                  std::span<const WellTraverse> traverses, const Layout& l) {
  const UnitSystem system = well_case.units;
  DataRange depth, pressure, temperature;
  depth.include(0.0);  // the wellhead, where depth is counted from
  pressure.include(in_unit(well_case.known_pressure, Dimension::kPressure,
                           system, Medium::kPicture));
  for (const auto& traverse : traverses) {
    for (const auto& s : traverse.stations) {
      depth.include(
          in_unit(s.tvd, Dimension::kDepth, system, Medium::kPicture));
      pressure.include(
          in_unit(s.pressure, Dimension::kPressure, system, Medium::kPicture));
      temperature.include(in_unit(s.temperature, Dimension::kTemperature,
                                  system, Medium::kPicture));
    }
  }
  return {
      axis_scale(depth, kTop, kTop + kTrackHeight, {10.0, true, kDepthTicks}),
      axis_scale(pressure, l.pressure.left, l.pressure.right(),
                 {10.0, false, kValueTicks}),
      axis_scale(temperature, l.temperature.left, l.temperature.right(),
                 {2.0, false, kValueTicks}),
      {0.0, 1.0, false, l.holdup.left, l.holdup.right()}};
}

double station_value(const WellStation& s, int track, UnitSystem system) {
  switch (track) {
    case 0:
      return in_unit(s.pressure, Dimension::kPressure, system,
                     Medium::kPicture);
    case 1:
      return in_unit(s.temperature, Dimension::kTemperature, system,
                     Medium::kPicture);
    default:
      return s.holdup;
  }
}

// One track's curves, one per traverse; a lone station gets a dot, which a
// path of one point would not show.
void draw_curves(SvgWriter& svg, std::span<const WellTraverse> traverses,
                 const Scales& scales, const Scale& x, int track,
                 std::string_view name, UnitSystem system) {
  for (std::size_t i = 0; i < traverses.size(); ++i) {
    const auto style = curve_style(i);
    PathData d;
    for (const auto& s : traverses[i].stations) {
      d.add(x.to_pixel(station_value(s, track, system)),
            scales.depth.to_pixel(
                in_unit(s.tvd, Dimension::kDepth, system, Medium::kPicture)));
    }
    svg.path(d.text(), style.colour, 2.0,
             curve_attributes(style,
                              std::string(name) + "-" + std::to_string(i + 1)));
    if (traverses[i].stations.size() == 1) {
      const auto& s = traverses[i].stations.front();
      const double px = x.to_pixel(station_value(s, track, system));
      const double py = scales.depth.to_pixel(
          in_unit(s.tvd, Dimension::kDepth, system, Medium::kPicture));
      if (std::isfinite(px) && std::isfinite(py)) {
        svg.circle(px, py, 3.5, style.colour);
      }
    }
  }
}

// Where a traverse stopped, a cross on the pressure track.
void draw_stop_marks(SvgWriter& svg, const WellCase& well_case,
                     std::span<const WellTraverse> traverses,
                     const Scales& scales) {
  for (const auto& traverse : traverses) {
    if (traverse.completed) continue;
    const WellStation* last = last_reached(well_case, traverse);
    if (last == nullptr) continue;
    const double x =
        scales.pressure.to_pixel(in_unit(last->pressure, Dimension::kPressure,
                                         well_case.units, Medium::kPicture));
    const double y = scales.depth.to_pixel(in_unit(
        last->tvd, Dimension::kDepth, well_case.units, Medium::kPicture));
    PathData d;
    d.add(x - 5.0, y - 5.0);
    d.add(x + 5.0, y + 5.0);
    d.gap();
    d.add(x - 5.0, y + 5.0);
    d.add(x + 5.0, y - 5.0);
    svg.path(d.text(), kWarningColour, 2.2, "class=\"stop\"");
  }
}

// The pattern of each traverse down its own strip: each station's pattern
// holds halfway to its neighbours, and a run of one pattern is one band.
void draw_pattern_strips(SvgWriter& svg, const WellCase& well_case,
                         std::span<const WellTraverse> traverses,
                         const Scales& scales, const Layout& l) {
  const UnitSystem system = well_case.units;
  svg.open_group("id=\"patterns\" shape-rendering=\"crispEdges\"");
  for (std::size_t i = 0; i < traverses.size(); ++i) {
    const double left =
        l.strip_left + static_cast<double>(i) * (l.strip_width + l.strip_space);
    svg.rect(left, kTop, l.strip_width, kTrackHeight, "#ffffff");
    const auto& stations = traverses[i].stations;
    auto pixel = [&](std::size_t k) {
      return scales.depth.to_pixel(in_unit(stations[k].tvd, Dimension::kDepth,
                                           system, Medium::kPicture));
    };
    std::size_t k = 0;
    while (k < stations.size()) {
      // The run [k, end) of one pattern.
      std::size_t end = k + 1;
      while (end < stations.size() &&
             stations[end].pattern == stations[k].pattern) {
        ++end;
      }
      const double top = k == 0 ? pixel(0) : 0.5 * (pixel(k - 1) + pixel(k));
      const double bottom = end == stations.size()
                                ? pixel(end - 1)
                                : 0.5 * (pixel(end - 1) + pixel(end));
      if (std::isfinite(top) && std::isfinite(bottom)) {
        const std::int32_t id = stations[k].pattern;
        const double height = std::max(std::abs(bottom - top), 1.5);
        svg.rect(left, std::min(top, bottom), l.strip_width, height,
                 pattern_colour(id),
                 "data-pattern=\"" + std::to_string(id) +
                     "\" data-traverse=\"" + std::to_string(i + 1) + "\"");
      }
      k = end;
    }
    svg.rect(left, kTop, l.strip_width, kTrackHeight, "none",
             "stroke=\"#222222\" stroke-width=\"0.8\"");
    svg.text(left + 0.5 * l.strip_width, kTop - 6.0, std::to_string(i + 1), 10,
             "middle",
             "fill=\"" + std::string(curve_style(i).colour) +
                 "\" font-weight=\"bold\"");
  }
  svg.close_group();
  const double strips_right =
      l.strip_left +
      static_cast<double>(std::max<std::size_t>(traverses.size(), 1)) *
          (l.strip_width + l.strip_space) -
      l.strip_space;
  svg.text(0.5 * (l.strip_left + strips_right), kTop + kTrackHeight + 44.0,
           "Pattern", 13, "middle");
}

// Every pattern code of every station, in increasing order.
std::vector<std::int32_t> patterns_met(
    std::span<const WellTraverse> traverses) {
  std::vector<std::int32_t> seen;
  for (const auto& traverse : traverses) {
    for (const auto& s : traverse.stations) {
      if (std::find(seen.begin(), seen.end(), s.pattern) == seen.end()) {
        seen.push_back(s.pattern);
      }
    }
  }
  std::sort(seen.begin(), seen.end());
  return seen;
}

constexpr double kLegendEntry = 36.0;
constexpr double kPatternEntry = 20.0;

double legend_height(std::size_t traverses, std::size_t patterns) {
  return 48.0 + kLegendEntry * static_cast<double>(traverses) +
         kPatternEntry * static_cast<double>(patterns);
}

// Correlations (with how each ended), then the patterns met.
void draw_legend(SvgWriter& svg, const WellCase& well_case,
                 std::span<const WellTraverse> traverses,
                 std::span<const std::int32_t> patterns, double left) {
  double y = kTop + 4.0;
  svg.text(left, y, "Correlation", 13, "start", "font-weight=\"bold\"");
  y += 22.0;
  for (std::size_t i = 0; i < traverses.size(); ++i) {
    const auto style = curve_style(i);
    legend_swatch(svg, left, y - 4.0, style);
    svg.text(left + 36.0, y,
             std::to_string(i + 1) + "  " + traverses[i].correlation, 12);
    svg.text(left + 36.0, y + 15.0,
             outcome_summary(well_case, traverses[i], Medium::kPicture), 11,
             "start",
             traverses[i].completed
                 ? "fill=\"#555555\""
                 : "fill=\"" + std::string(kWarningColour) + "\"");
    y += kLegendEntry;
  }
  y += 12.0;
  svg.text(left, y, "Flow pattern", 13, "start", "font-weight=\"bold\"");
  y += 10.0;
  for (const auto id : patterns) {
    svg.rect(left, y, 16, 12, pattern_colour(id),
             "stroke=\"#222222\" stroke-width=\"0.6\"");
    svg.text(left + 22.0, y + 10.5,
             std::to_string(id) + "  " + std::string(pattern_name(id)), 12);
    y += kPatternEntry;
  }
}

}  // namespace

std::string well_traverse_svg(const WellCase& well_case,
                              std::span<const WellTraverse> traverses) {
  const UnitSystem system = well_case.units;
  const Layout l = layout_for(traverses.size());
  const Scales scales = scales_for(well_case, traverses, l);
  std::size_t stopped = 0;
  for (const auto& traverse : traverses) {
    if (!traverse.completed) ++stopped;
  }
  const double caption_top = kTop + kTrackHeight + 82.0;
  const double notes_bottom =
      caption_top + 36.0 + 16.0 * static_cast<double>(stopped);
  const auto patterns = patterns_met(traverses);
  const double legend_bottom =
      kTop + legend_height(traverses.size(), patterns.size());
  SvgWriter svg(l.width, std::max(notes_bottom, legend_bottom) + 16.0);
  svg.comment("Well traverse from pipecorr: " + well_case.title);
  svg.text(kLeft, 32, "Well traverse \u2013 " + well_case.title, 17, "start",
           "font-weight=\"bold\"");
  svg.text(kLeft, 54,
           well_case.source.string() + " \u00b7 " +
               std::string(system_name(system)) +
               " units \u00b7 depth is true vertical depth below the wellhead",
           12, "start", "fill=\"#555555\"");

  const std::string depth_title =
      "True vertical depth (" +
      unit_text(Dimension::kDepth, system, Medium::kPicture) + ")";
  const std::string pressure_title =
      "Pressure (" + unit_text(Dimension::kPressure, system, Medium::kPicture) +
      ")";
  const std::string temperature_title =
      "Temperature (" +
      unit_text(Dimension::kTemperature, system, Medium::kPicture) + ")";
  for (const PlotArea& area : {l.pressure, l.temperature, l.holdup}) {
    panel_background(svg, area);
  }
  draw_y_axis(svg, l.pressure, scales.depth, depth_title, kDepthTicks);
  horizontal_grid(svg, l.temperature, scales.depth, kDepthTicks);
  horizontal_grid(svg, l.holdup, scales.depth, kDepthTicks);
  draw_x_axis(svg, l.pressure, scales.pressure, pressure_title, kValueTicks);
  draw_x_axis(svg, l.temperature, scales.temperature, temperature_title,
              kValueTicks);
  draw_x_axis(svg, l.holdup, scales.holdup, "Liquid holdup (\u2013)", 5);

  draw_curves(svg, traverses, scales, scales.pressure, 0, "pressure", system);
  draw_curves(svg, traverses, scales, scales.temperature, 1, "temperature",
              system);
  draw_curves(svg, traverses, scales, scales.holdup, 2, "holdup", system);
  draw_stop_marks(svg, well_case, traverses, scales);
  for (const PlotArea& area : {l.pressure, l.temperature, l.holdup}) {
    panel_frame(svg, area);
  }
  draw_pattern_strips(svg, well_case, traverses, scales, l);
  draw_legend(svg, well_case, traverses, patterns, l.legend_left);

  svg.text(kLeft, caption_top, rates_summary(well_case, Medium::kPicture), 12,
           "start", "id=\"caption\"");
  svg.text(kLeft, caption_top + 18.0,
           fluid_and_pipe_summary(well_case, Medium::kPicture) + "; " +
               known_pressure_summary(well_case, Medium::kPicture),
           12);
  double y = caption_top + 40.0;
  for (const auto& traverse : traverses) {
    if (traverse.completed) continue;
    svg.text(
        kLeft, y,
        traverse.correlation + " " +
            outcome_summary(well_case, traverse, Medium::kPicture) + ": " +
            (traverse.stopped.empty() ? "no reason given" : traverse.stopped),
        12, "start", "fill=\"" + std::string(kWarningColour) + "\"");
    y += 16.0;
  }
  return svg.finish();
}

}  // namespace pipecorr::hostkit
