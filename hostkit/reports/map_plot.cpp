#include "reports/map_plot.hpp"

#include <climits>
#include <cmath>
#include <map>

#include "numbers/number_text.hpp"
#include "plot/pattern_colours.hpp"
#include "plot/plot_axes.hpp"
#include "plot/svg_writer.hpp"
#include "plugin/pattern_names.hpp"

namespace pipecorr::hostkit {
namespace {

constexpr double kWidth = 880.0;
constexpr double kHeight = 650.0;
constexpr PlotArea kArea{90.0, 64.0, 500.0, 460.0};
// A cell the correlation could not compute is keyed apart from every code.
constexpr std::int32_t kNoResult = INT_MIN;

std::int32_t key_of(const MapCell& cell) {
  return cell.ierr != 0 ? kNoResult : cell.id;
}

std::string_view colour_of(std::int32_t key) {
  return key == kNoResult ? kNoResultColour : pattern_colour(key);
}

// Cells are drawn as runs of equal pattern along each row: far fewer
// shapes than cells, and no hairline seams between neighbours.
void draw_cells(SvgWriter& svg, const FlowMap& map, const Scale& x,
                const Scale& y) {
  const std::size_t columns = map.usg.size();
  const double cell_width = kArea.width / static_cast<double>(columns);
  const double cell_height = kArea.height / static_cast<double>(map.usl.size());
  svg.open_group("id=\"regions\" shape-rendering=\"crispEdges\"");
  for (std::size_t row = 0; row < map.usl.size(); ++row) {
    const double top =
        y.pixel_from - static_cast<double>(row + 1) * cell_height;
    std::size_t start = 0;
    while (start < columns) {
      const auto key = key_of(map.at(row, start));
      std::size_t end = start + 1;
      while (end < columns && key_of(map.at(row, end)) == key) ++end;
      svg.rect(x.pixel_from + static_cast<double>(start) * cell_width, top,
               static_cast<double>(end - start) * cell_width, cell_height,
               colour_of(key),
               "data-pattern=\"" +
                   std::to_string(key == kNoResult ? -999 : key) + "\"");
      start = end;
    }
  }
  svg.close_group();
}

// Boundaries between regions, as one staircase path along cell edges.
void draw_boundaries(SvgWriter& svg, const FlowMap& map, const Scale& x,
                     const Scale& y) {
  const std::size_t rows = map.usl.size();
  const std::size_t columns = map.usg.size();
  const double cell_width = kArea.width / static_cast<double>(columns);
  const double cell_height = kArea.height / static_cast<double>(rows);
  std::string d;
  for (std::size_t row = 0; row < rows; ++row) {
    const double bottom = y.pixel_from - static_cast<double>(row) * cell_height;
    for (std::size_t column = 0; column < columns; ++column) {
      const double left =
          x.pixel_from + static_cast<double>(column) * cell_width;
      const auto key = key_of(map.at(row, column));
      if (column + 1 < columns && key_of(map.at(row, column + 1)) != key) {
        d += "M" + coordinate(left + cell_width) + " " + coordinate(bottom) +
             "v" + coordinate(-cell_height);
      }
      if (row + 1 < rows && key_of(map.at(row + 1, column)) != key) {
        d += "M" + coordinate(left) + " " + coordinate(bottom - cell_height) +
             "h" + coordinate(cell_width);
      }
    }
  }
  svg.path(d, "#1a1a1a", 1.0,
           "id=\"boundaries\" stroke-linecap=\"square\" "
           "stroke-opacity=\"0.75\"");
}

void draw_legend(SvgWriter& svg, const FlowMap& map) {
  std::map<std::int32_t, std::size_t> counts;
  for (const auto& cell : map.cells) ++counts[key_of(cell)];
  const double left = kArea.right() + 30;
  double y = kArea.top + 4;
  svg.text(left, y + 10, "Flow pattern", 14, "start", "font-weight=\"bold\"");
  y += 24;
  svg.open_group("id=\"legend\"");
  for (const auto& [key, count] : counts) {
    const double share = 100.0 * static_cast<double>(count) /
                         static_cast<double>(map.cells.size());
    svg.rect(left, y, 18, 14, colour_of(key),
             "stroke=\"#1a1a1a\" stroke-width=\"0.6\"");
    const std::string label =
        key == kNoResult
            ? std::string("no result (error)")
            : std::to_string(key) + "  " + std::string(pattern_name(key));
    svg.text(left + 26, y + 11.5, label, 12.5);
    svg.text(left + 26, y + 26, fixed(share, 1) + " % of the map", 10.5,
             "start", "fill=\"#555555\"");
    y += 40;
  }
  svg.close_group();
  if (!map.first_error.empty()) {
    svg.text(left, y + 6, "Error: " + map.first_error, 10.5, "start",
             "fill=\"#555555\"");
  }
}

void draw_caption(SvgWriter& svg, const FlowMap& map) {
  const auto& f = map.fluids;
  const double top = kArea.bottom() + 78;
  const std::string liquid = "Liquid " + significant(f.rol, 5) +
                             " kg/m\u00b3, " + significant(f.visl * 1e3, 4) +
                             " mPa\u00b7s;  gas " + significant(f.rog, 5) +
                             " kg/m\u00b3, " + significant(f.visg * 1e3, 4) +
                             " mPa\u00b7s;  surface tension " +
                             significant(f.sigma * 1e3, 4) + " mN/m";
  const std::string pipe =
      "Pipe: inside diameter " + significant(f.diam * 1e3, 5) +
      " mm, roughness " + significant(f.eps * 1e3, 4) + " mm, inclination " +
      significant(f.fi, 4) + "\u00b0;  pressure " + significant(f.p / 1e5, 5) +
      " bar;  " + std::to_string(map.usg.size()) + " \u00d7 " +
      std::to_string(map.usl.size()) + " points";
  svg.text(kArea.left, top, liquid, 12, "start", "id=\"caption\"");
  svg.text(kArea.left, top + 18, pipe, 12);
}

}  // namespace

std::string render_flow_map_svg(const FlowMap& map) {
  SvgWriter svg(kWidth, kHeight);
  svg.comment("Flow-pattern map from pipecorr: " + map.correlation);
  svg.text(kArea.left, 30,
           "Flow-pattern map \u2013 " + map.correlation + " (" +
               map.description + ")",
           16, "start", "font-weight=\"bold\"");
  const Scale x{map.range.usg_min, map.range.usg_max, true, kArea.left,
                kArea.right()};
  const Scale y{map.range.usl_min, map.range.usl_max, true, kArea.bottom(),
                kArea.top};
  draw_cells(svg, map, x, y);
  draw_boundaries(svg, map, x, y);
  draw_x_axis(svg, kArea, x, "Superficial gas velocity usg (m/s)");
  draw_y_axis(svg, kArea, y, "Superficial liquid velocity usl (m/s)");
  svg.rect(kArea.left, kArea.top, kArea.width, kArea.height, "none",
           "stroke=\"#222222\" stroke-width=\"1.2\"");
  draw_legend(svg, map);
  draw_caption(svg, map);
  return svg.finish();
}

}  // namespace pipecorr::hostkit
