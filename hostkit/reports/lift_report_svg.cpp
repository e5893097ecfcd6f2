// The picture of lift curves: bottom-hole flowing pressure against liquid
// rate, with the reservoir's inflow curve and the operating points where
// they cross.
#include <algorithm>
#include <cmath>
#include <string>
#include <variant>
#include <vector>

#include "plot/report_plot.hpp"
#include "reports/lift_report.hpp"
#include "studies/well_summary.hpp"
#include "units/display_units.hpp"

namespace pipecorr::hostkit {
namespace {

constexpr double kLeft = 96.0;
constexpr double kTop = 84.0;
constexpr double kPlotWidth = 540.0;
constexpr double kPlotHeight = 420.0;
constexpr double kLegendWidth = 360.0;
constexpr int kTicks = 6;
constexpr int kInflowSamples = 120;
constexpr std::string_view kInflowColour = "#333333";
// Labels stay legible over grid and curves.
constexpr std::string_view kHalo =
    "stroke=\"#ffffff\" stroke-width=\"3\" paint-order=\"stroke\" "
    "stroke-linejoin=\"round\"";

double absolute_open_flow(const well::Inflow& inflow) {
  if (const auto* line = std::get_if<well::StraightLineInflow>(&inflow)) {
    return line->absolute_open_flow();
  }
  return std::get<well::VogelInflow>(inflow).max_rate();
}

double reservoir_pressure(const well::Inflow& inflow) {
  return std::visit(
      [](const auto& curve) { return curve.reservoir_pressure(); }, inflow);
}

// Whether a rate the case asked for lies strictly between two computed
// points: its traverse failed, and the curve must not bridge it.
bool failed_between(const std::vector<double>& asked, double low, double high) {
  const double margin = 1e-9 * std::max(std::abs(low), std::abs(high));
  const auto above = std::upper_bound(asked.begin(), asked.end(), low + margin);
  return above != asked.end() && *above < high - margin;
}

struct Axes {
  Scale rate;
  Scale pressure;
};

Axes axes_for(const WellCase& well_case, const LiftCurves& curves,
              const PlotArea& area) {
  const auto system = well_case.units;
  DataRange rate, pressure;
  rate.include(0.0);
  pressure.include(0.0);
  for (const auto& curve : curves.curves) {
    for (const auto& point : curve.points) {
      rate.include(in_unit(point.rate, Dimension::kLiquidRate, system,
                           Medium::kPicture));
      pressure.include(in_unit(point.flowing_pressure, Dimension::kPressure,
                               system, Medium::kPicture));
    }
    for (const auto& crossing : curve.crossings) {
      rate.include(in_unit(crossing.rate, Dimension::kLiquidRate, system,
                           Medium::kPicture));
    }
  }
  if (curves.inflow) {
    pressure.include(in_unit(reservoir_pressure(*curves.inflow),
                             Dimension::kPressure, system, Medium::kPicture));
  }
  return {axis_scale(rate, area.left, area.right(), {1.0, true, kTicks}),
          axis_scale(pressure, area.bottom(), area.top, {1.0, true, kTicks})};
}

void draw_lift_curve(SvgWriter& svg, const WellCase& well_case,
                     const LiftCurve& curve, const std::vector<double>& asked,
                     const Axes& axes, std::size_t index) {
  const auto system = well_case.units;
  const auto style = curve_style(index);
  PathData d;
  for (std::size_t k = 0; k < curve.points.size(); ++k) {
    if (k > 0 &&
        failed_between(asked, curve.points[k - 1].rate, curve.points[k].rate)) {
      d.gap();
    }
    d.add(
        axes.rate.to_pixel(in_unit(curve.points[k].rate, Dimension::kLiquidRate,
                                   system, Medium::kPicture)),
        axes.pressure.to_pixel(in_unit(curve.points[k].flowing_pressure,
                                       Dimension::kPressure, system,
                                       Medium::kPicture)));
  }
  svg.path(d.text(), style.colour, 2.2,
           curve_attributes(style, "lift-" + std::to_string(index + 1)));
  for (const auto& point : curve.points) {
    const double x = axes.rate.to_pixel(
        in_unit(point.rate, Dimension::kLiquidRate, system, Medium::kPicture));
    const double y = axes.pressure.to_pixel(in_unit(point.flowing_pressure,
                                                    Dimension::kPressure,
                                                    system, Medium::kPicture));
    if (std::isfinite(x) && std::isfinite(y)) {
      svg.circle(x, y, 2.6, style.colour);
    }
  }
}

// Sampled from zero to the right edge of the plot, and ended at the
// absolute open flow, where the reservoir delivers its most.
void draw_inflow(SvgWriter& svg, const WellCase& well_case,
                 const well::Inflow& inflow, const Axes& axes) {
  const auto system = well_case.units;
  const double per_si =
      in_unit(1.0, Dimension::kLiquidRate, system, Medium::kPicture);
  if (!(per_si > 0.0 && std::isfinite(per_si))) return;
  const double right_edge = axes.rate.max / per_si;
  const double open_flow = absolute_open_flow(inflow);
  PathData d;
  for (int k = 0; k <= kInflowSamples; ++k) {
    double q = right_edge * k / kInflowSamples;
    const bool last = q >= open_flow;
    if (last) q = open_flow;
    d.add(axes.rate.to_pixel(
              in_unit(q, Dimension::kLiquidRate, system, Medium::kPicture)),
          axes.pressure.to_pixel(
              in_unit(std::max(0.0, well::inflow_pressure(inflow, q)),
                      Dimension::kPressure, system, Medium::kPicture)));
    if (last) break;
  }
  svg.path(d.text(), kInflowColour, 2.0,
           "id=\"inflow\" stroke-dasharray=\"7 4\"");
}

void draw_operating_point(SvgWriter& svg, const WellCase& well_case,
                          const well::Crossing& point, const Axes& axes,
                          const PlotArea& area, std::size_t index) {
  const auto system = well_case.units;
  const double x = axes.rate.to_pixel(
      in_unit(point.rate, Dimension::kLiquidRate, system, Medium::kPicture));
  const double y = axes.pressure.to_pixel(in_unit(
      point.flowing_pressure, Dimension::kPressure, system, Medium::kPicture));
  if (!(std::isfinite(x) && std::isfinite(y))) return;
  const auto colour = curve_style(index).colour;
  // The operating point ringed; a crossing the well does not stay at
  // (falling through the inflow, or heading) a small filled dot.
  const bool operating = point.stable && !point.heading;
  if (operating) {
    svg.circle(x, y, 5.5, "#ffffff",
               "stroke=\"" + std::string(colour) +
                   "\" stroke-width=\"2.4\" class=\"operating-point\"");
  } else {
    svg.circle(x, y, 3.5, std::string(colour), "class=\"unstable-crossing\"");
  }
  // Right of the mark, or left of it near the right edge.
  const bool left_of = x > area.left + 0.7 * area.width;
  svg.text(x + (left_of ? -9.0 : 9.0), y - 8.0,
           shown_with_unit(point.rate, Dimension::kLiquidRate, system,
                           Medium::kPicture) +
               ", " +
               shown_with_unit(point.flowing_pressure, Dimension::kPressure,
                               system, Medium::kPicture) +
               (operating       ? ""
                : point.heading ? " (heading)"
                                : " (unstable)"),
           11, left_of ? "end" : "start",
           "fill=\"" + std::string(colour) + "\" " + std::string(kHalo));
}

constexpr double kEntry = 22.0;
constexpr double kEntryNote = 15.0;
constexpr double kInflowEntries = 62.0;

double legend_height(const LiftCurves& curves) {
  double height = 26.0 + (curves.inflow ? kInflowEntries : 0.0);
  for (const auto& curve : curves.curves) {
    height += kEntry + (curve.failures.empty() ? 0.0 : kEntryNote);
  }
  return height;
}

void draw_legend(SvgWriter& svg, const WellCase& well_case,
                 const LiftCurves& curves, double left) {
  double y = kTop + 4.0;
  svg.text(left, y, "Lift curve (" + curves.correlation + ")", 13, "start",
           "font-weight=\"bold\"");
  y += 22.0;
  for (std::size_t i = 0; i < curves.curves.size(); ++i) {
    legend_swatch(svg, left, y - 4.0, curve_style(i));
    svg.text(left + 36.0, y,
             lift_curve_label(well_case, curves, i, Medium::kPicture), 12);
    const auto failed = curves.curves[i].failures.size();
    if (failed > 0) {
      y += kEntryNote;
      svg.text(left + 36.0, y,
               std::to_string(failed) +
                   (failed == 1 ? " rate failed" : " rates failed") + " (gaps)",
               11, "start", "fill=\"" + std::string(kWarningColour) + "\"");
    }
    y += kEntry;
  }
  if (curves.inflow) {
    y += 6.0;
    PathData d;
    d.add(left, y - 4.0);
    d.add(left + 28.0, y - 4.0);
    svg.path(d.text(), kInflowColour, 2.0, "stroke-dasharray=\"7 4\"");
    svg.text(left + 36.0, y, "Inflow (IPR)", 12);
    svg.text(left + 36.0, y + 15.0,
             inflow_summary(well_case, *curves.inflow, Medium::kPicture), 11,
             "start", "fill=\"#555555\"");
    y += 34.0;
    svg.circle(left + 14.0, y - 4.0, 5.5, "#ffffff",
               "stroke=\"#222222\" stroke-width=\"2.4\"");
    svg.text(left + 36.0, y, "Operating point (stable)", 12);
  }
}

}  // namespace

std::string lift_curves_svg(const WellCase& well_case,
                            const LiftCurves& curves) {
  const auto system = well_case.units;
  const PlotArea area{kLeft, kTop, kPlotWidth, kPlotHeight};
  const Axes axes = axes_for(well_case, curves, area);
  std::vector<double> asked = well_case.lift.liquid_rates;
  std::sort(asked.begin(), asked.end());

  const double legend_bottom = kTop + legend_height(curves);
  const double caption_top = area.bottom() + 80.0;
  const double width = area.right() + 36.0 + kLegendWidth;
  SvgWriter svg(width, std::max(caption_top + 30.0, legend_bottom) + 16.0);
  svg.comment("Lift curves from pipecorr: " + well_case.title);
  svg.text(kLeft, 32, "Lift curves \u2013 " + well_case.title, 17, "start",
           "font-weight=\"bold\"");
  svg.text(kLeft, 54,
           well_case.source.string() + " \u00b7 " +
               std::string(system_name(system)) + " units \u00b7 correlation " +
               curves.correlation,
           12, "start", "fill=\"#555555\"");

  panel_background(svg, area);
  draw_x_axis(svg, area, axes.rate,
              "Liquid rate (" +
                  unit_text(Dimension::kLiquidRate, system, Medium::kPicture) +
                  ")",
              kTicks);
  draw_y_axis(svg, area, axes.pressure,
              "Bottom-hole flowing pressure (" +
                  unit_text(Dimension::kPressure, system, Medium::kPicture) +
                  ")",
              kTicks);
  if (curves.inflow) draw_inflow(svg, well_case, *curves.inflow, axes);
  for (std::size_t i = 0; i < curves.curves.size(); ++i) {
    draw_lift_curve(svg, well_case, curves.curves[i], asked, axes, i);
  }
  for (std::size_t i = 0; i < curves.curves.size(); ++i) {
    for (const auto& crossing : curves.curves[i].crossings) {
      draw_operating_point(svg, well_case, crossing, axes, area, i);
    }
  }
  panel_frame(svg, area);
  draw_legend(svg, well_case, curves, area.right() + 36.0);

  std::string caption = fluid_and_pipe_summary(well_case, Medium::kPicture);
  if (const auto cut = water_cut_summary(well_case); !cut.empty()) {
    caption += "; " + cut;
  }
  svg.text(kLeft, caption_top, caption, 12, "start", "id=\"caption\"");
  return svg.finish();
}

}  // namespace pipecorr::hostkit
