#include "reports/traverse_report.hpp"

#include "studies/traverse.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "numbers/number_text.hpp"
#include "plot/pattern_colours.hpp"
#include "plot/plot_axes.hpp"
#include "plot/svg_writer.hpp"
#include "plugin/pattern_names.hpp"
#include "text/csv.hpp"
#include "text/escape.hpp"

namespace pipecorr::hostkit {
namespace {

constexpr double kPascalPerBar = 1e5;

std::string right(const std::string& text, std::size_t width) {
  return text.size() >= width ? text
                              : std::string(width - text.size(), ' ') + text;
}

// Above the inlet, m; never "-0.0" at the inlet itself.
double elevation(const WellStation& s) { return 0.0 - s.tvd; }

std::string station_line(const TraverseCase& pipe, const WellStation& s) {
  return right(fixed(s.md, 1), 9) + right(fixed(elevation(s), 1), 10) +
         right(std::to_string(segment_at(pipe, s.md)), 5) +
         right(fixed(s.pressure / kPascalPerBar, 3), 11) +
         right(significant(s.usl, 4), 9) + right(significant(s.usg, 4), 9) +
         right(fixed(s.holdup, 4), 8) +
         right(fixed(s.gradient / 100.0, 3), 10) + "  " +
         std::to_string(s.pattern) + " " +
         std::string(pattern_name(s.pattern)) + "\n";
}

}  // namespace

std::string traverse_text(const TraverseHeading& heading,
                          const TraverseCase& pipe,
                          const WellTraverse& traverse, double every) {
  std::string out = "Pressure traverse: " + for_terminal(heading.title) + " (" +
                    for_terminal(heading.source) + ")\n";
  out += "correlation " + heading.correlation + ", step " +
         significant(heading.step, 4) + " m, " +
         std::to_string(pipe.profile.size()) + " segments, " +
         significant(pipe.total_length(), 6) + " m\n";
  out += "inlet " + significant(pipe.inlet_pressure / kPascalPerBar, 6) +
         " bar, liquid " + significant(pipe.liquid_rate, 5) + " kg/s, gas " +
         significant(pipe.gas_rate, 5) + " kg/s\n\n";
  out +=
      " distance elevation  seg   pressure      usl      usg  holdup        "
      "dp  pattern\n";
  out +=
      "        m         m             bar      m/s      m/s          "
      "bar/km\n";
  const std::vector<bool> shown = table_rows(traverse.stations, every);
  for (std::size_t i = 0; i < traverse.stations.size(); ++i) {
    if (shown[i]) out += station_line(pipe, traverse.stations[i]);
  }
  out += "\n";
  if (traverse.stations.empty()) return out;
  const auto& first = traverse.stations.front();
  const auto& last = traverse.stations.back();
  if (traverse.completed) {
    out += "outlet pressure " + fixed(last.pressure / kPascalPerBar, 3) +
           " bar after " + fixed(last.md, 1) + " m: a drop of " +
           fixed((first.pressure - last.pressure) / kPascalPerBar, 3) +
           " bar\n";
  } else {
    out += "traverse stopped " + for_terminal(traverse.stopped) + "\n";
  }
  return out;
}

std::string traverse_csv(const TraverseCase& pipe,
                         const WellTraverse& traverse) {
  std::string out =
      "distance_m,elevation_m,segment,pressure_Pa,rog_kg_per_m3,usl_m_per_s,"
      "usg_m_per_s,dp_Pa_per_m,holdup,id,pattern\n";
  for (const auto& s : traverse.stations) {
    for (const double value : {s.md, elevation(s)}) {
      append_number(out, value);
      out += ',';
    }
    append_number(out, static_cast<long long>(segment_at(pipe, s.md)));
    out += ',';
    for (const double value :
         {s.pressure, s.rog, s.usl, s.usg, s.gradient, s.holdup}) {
      append_number(out, value);
      out += ',';
    }
    append_number(out, static_cast<long long>(s.pattern));
    out += ',';
    out += pattern_name(s.pattern);
    out += '\n';
  }
  return out;
}

namespace {

constexpr double kSvgWidth = 880.0;
constexpr double kLeft = 90.0;
constexpr double kPlotWidth = 560.0;

// A value axis around the data. A range narrower than a millionth of its
// magnitude (a pipe whose pressure barely changes) is widened, so the axis
// keeps distinct ticks and finite pixels.
Scale padded_scale(double low, double high, double from, double to) {
  const double narrowest =
      std::max(1e-9, 1e-6 * std::max(std::abs(low), std::abs(high)));
  if (!(high - low >= narrowest)) {
    const double middle = 0.5 * (low + high);
    const double pad = std::max(narrowest, std::abs(middle) * 0.05);
    low = middle - pad;
    high = middle + pad;
  } else {
    const double pad = (high - low) * 0.05;
    low -= pad;
    high += pad;
  }
  return {low, high, false, from, to};
}

std::string polyline(const WellTraverse& traverse, const Scale& x,
                     const Scale& y, double (*value)(const WellStation&)) {
  std::string d;
  for (const auto& station : traverse.stations) {
    d += (d.empty() ? "M" : "L") + coordinate(x.to_pixel(station.md)) + " " +
         coordinate(y.to_pixel(value(station)));
  }
  return d;
}

}  // namespace

std::string traverse_svg(const TraverseHeading& heading,
                         const TraverseCase& pipe,
                         const WellTraverse& traverse) {
  const PlotArea pressure_area{kLeft, 60.0, kPlotWidth, 250.0};
  const PlotArea holdup_area{kLeft, 380.0, kPlotWidth, 150.0};
  const PlotArea elevation_area{kLeft, 600.0, kPlotWidth, 130.0};
  SvgWriter svg(kSvgWidth, 830.0);
  svg.comment("Pressure traverse from pipecorr: " + heading.title);
  svg.text(kLeft, 30,
           "Pressure traverse \u2013 " + heading.title + " (" +
               heading.correlation + ")",
           16, "start", "font-weight=\"bold\"");

  double length = pipe.total_length();
  double p_low = pipe.inlet_pressure, p_high = pipe.inlet_pressure;
  double z_low = 0.0, z_high = 0.0;
  for (const auto& s : traverse.stations) {
    p_low = std::min(p_low, s.pressure);
    p_high = std::max(p_high, s.pressure);
    z_low = std::min(z_low, elevation(s));
    z_high = std::max(z_high, elevation(s));
  }
  const Scale x_pressure{0.0, length, false, pressure_area.left,
                         pressure_area.right()};
  const Scale x_holdup{0.0, length, false, holdup_area.left,
                       holdup_area.right()};
  const Scale x_elevation{0.0, length, false, elevation_area.left,
                          elevation_area.right()};

  // Pressure.
  const Scale p_scale =
      padded_scale(p_low / kPascalPerBar, p_high / kPascalPerBar,
                   pressure_area.bottom(), pressure_area.top);
  svg.rect(pressure_area.left, pressure_area.top, pressure_area.width,
           pressure_area.height, "#f4f6f8");
  draw_x_axis(svg, pressure_area, x_pressure, "Distance along the pipe (m)");
  draw_y_axis(svg, pressure_area, p_scale, "Pressure (bar)");
  svg.path(
      polyline(traverse, x_pressure, p_scale,
               [](const WellStation& s) { return s.pressure / kPascalPerBar; }),
      "#1f4e79", 2.2, "id=\"pressure\" stroke-linejoin=\"round\"");

  // Holdup, over bands coloured by the flow pattern at each step.
  const Scale h_scale{0.0, 1.0, false, holdup_area.bottom(), holdup_area.top};
  svg.open_group("id=\"patterns\" shape-rendering=\"crispEdges\"");
  std::vector<std::int32_t> seen;
  // A row has the pattern of the step that ended at it.
  for (std::size_t i = 1; i < traverse.stations.size(); ++i) {
    const auto& s = traverse.stations[i];
    const double from = x_holdup.to_pixel(traverse.stations[i - 1].md);
    const double to = x_holdup.to_pixel(s.md);
    svg.rect(from, holdup_area.top, std::max(0.01, to - from),
             holdup_area.height, pattern_colour(s.pattern),
             "fill-opacity=\"0.45\"");
    if (std::find(seen.begin(), seen.end(), s.pattern) == seen.end()) {
      seen.push_back(s.pattern);
    }
  }
  svg.close_group();
  draw_x_axis(svg, holdup_area, x_holdup, "Distance along the pipe (m)");
  draw_y_axis(svg, holdup_area, h_scale, "Liquid holdup (-)", 4);
  svg.path(polyline(traverse, x_holdup, h_scale,
                    [](const WellStation& s) { return s.holdup; }),
           "#222222", 1.8, "id=\"holdup\" stroke-linejoin=\"round\"");

  // Elevation profile.
  const Scale z_scale =
      padded_scale(z_low, z_high, elevation_area.bottom(), elevation_area.top);
  svg.rect(elevation_area.left, elevation_area.top, elevation_area.width,
           elevation_area.height, "#f4f6f8");
  draw_x_axis(svg, elevation_area, x_elevation, "Distance along the pipe (m)");
  draw_y_axis(svg, elevation_area, z_scale, "Elevation (m)", 4);
  svg.path(polyline(traverse, x_elevation, z_scale,
                    [](const WellStation& s) { return elevation(s); }),
           "#6b4f2a", 2.0, "id=\"elevation\" stroke-linejoin=\"round\"");
  for (const PlotArea& area : {pressure_area, holdup_area, elevation_area}) {
    svg.rect(area.left, area.top, area.width, area.height, "none",
             "stroke=\"#222222\" stroke-width=\"1.2\"");
  }

  // Legend of the patterns met along the way, and the case in a caption.
  const double legend_left = kLeft + kPlotWidth + 24;
  double y = holdup_area.top;
  svg.text(legend_left, y + 4, "Flow pattern", 13, "start",
           "font-weight=\"bold\"");
  y += 14;
  std::sort(seen.begin(), seen.end());
  for (const auto id : seen) {
    svg.rect(legend_left, y, 16, 12, pattern_colour(id),
             "fill-opacity=\"0.45\" stroke=\"#222222\" stroke-width=\"0.6\"");
    svg.text(legend_left + 22, y + 10.5,
             std::to_string(id) + "  " + std::string(pattern_name(id)), 12);
    y += 20;
  }
  std::string caption =
      "Inlet " + significant(pipe.inlet_pressure / kPascalPerBar, 6) +
      " bar; liquid " + significant(pipe.liquid_rate, 5) + " kg/s, " +
      significant(pipe.liquid_density, 5) + " kg/m\u00b3; gas " +
      significant(pipe.gas_rate, 5) + " kg/s, " +
      significant(pipe.gas_density, 5) + " kg/m\u00b3 at " +
      significant(pipe.reference_pressure / kPascalPerBar, 5) + " bar; step " +
      significant(heading.step, 4) + " m";
  svg.text(kLeft, 790, caption, 12, "start", "id=\"caption\"");
  if (!traverse.completed) {
    svg.text(kLeft, 808, "Stopped " + traverse.stopped, 12, "start",
             "fill=\"#b00020\"");
  }
  return svg.finish();
}

}  // namespace pipecorr::hostkit
