// The pictures are well-formed XML (read back by a real XML parser) and show
// what was computed: the map's regions cover exactly the cells of each
// pattern, and the legend names the patterns.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "pipecorr/pipecorr.h"
#include "plot/pattern_colours.hpp"
#include "plugin/correlation.hpp"
#include "plugin/pattern_names.hpp"
#include "plugin/plugin_library.hpp"
#include "reports/map_plot.hpp"
#include "reports/traverse_report.hpp"
#include "studies/flow_map.hpp"
#include "studies/traverse.hpp"
#include "support/xml_document.hpp"

namespace pipecorr::hostkit {
namespace {

using Element = pipecorr::testing::XmlElement;

struct ParsedSvg {
  bool well_formed = false;
  std::string error;
  std::vector<Element> elements;
};

ParsedSvg parse_svg(const std::string& document) {
  auto doc = pipecorr::testing::parse_xml(document);
  return {doc.well_formed(), doc.error, std::move(doc.elements)};
}

std::vector<std::string> texts(const ParsedSvg& svg) {
  std::vector<std::string> all;
  for (const auto& element : svg.elements) {
    if (element.name == "text") all.push_back(element.text);
  }
  return all;
}

bool contains(const std::vector<std::string>& all, const std::string& text) {
  return std::find(all.begin(), all.end(), text) != all.end();
}

class Pictures : public ::testing::Test {
 protected:
  PluginLibrary library_{MINI_PLUGIN};
  CorrelationSet correlations_{library_};
  const Correlation& lin_ = correlations_.choose("LIN_3");

  FlowMap map() const {
    FlowInputs fluids;
    fluids.diam = 0.1;
    fluids.p = 2e5;
    MapRange range;
    range.points = 24;
    return compute_flow_map(lin_, fluids, range);
  }
};

TEST_F(Pictures, MapCellsFollowTheCorrelation) {
  const auto m = map();
  ASSERT_EQ(m.cells.size(), 24U * 24U);
  for (std::size_t r = 0; r < m.usl.size(); ++r) {
    for (std::size_t c = 0; c < m.usg.size(); ++c) {
      // The test plug-in: distributed (8) where usg > 10 usl, else 7.
      EXPECT_EQ(m.at(r, c).id, m.usg[c] > 10.0 * m.usl[r] ? 8 : 7)
          << "usl " << m.usl[r] << " usg " << m.usg[c];
    }
  }
  EXPECT_NEAR(m.usl.front(), std::pow(10.0, -3.0 + 4.0 / 48.0), 1e-12);
  EXPECT_NEAR(m.usg.back(), std::pow(10.0, 2.0 - 4.0 / 48.0), 1e-12);
}

TEST_F(Pictures, MapRegionsCoverExactlyTheCellsOfEachPattern) {
  const auto m = map();
  const auto svg = parse_svg(render_flow_map_svg(m));
  ASSERT_TRUE(svg.well_formed) << svg.error;
  std::map<std::string, double> area;
  for (const auto& e : svg.elements) {
    const auto pattern = e.attributes.find("data-pattern");
    if (e.name != "rect" || pattern == e.attributes.end()) continue;
    const int id = std::stoi(pattern->second);
    EXPECT_EQ(e.attributes.at("fill"), pattern_colour(id));
    area[pattern->second] += std::stod(e.attributes.at("width")) *
                             std::stod(e.attributes.at("height"));
  }
  std::map<std::string, double> cells;
  for (const auto& cell : m.cells) cells[std::to_string(cell.id)] += 1.0;
  ASSERT_EQ(area.size(), 2U);
  const double total = area["7"] + area["8"];
  for (const auto& [id, count] : cells) {
    EXPECT_NEAR(area[id] / total, count / static_cast<double>(m.cells.size()),
                1e-3)
        << "pattern " << id;
  }
}

TEST_F(Pictures, MapHasLegendAxesCaptionAndBoundary) {
  const auto svg = parse_svg(render_flow_map_svg(map()));
  ASSERT_TRUE(svg.well_formed) << svg.error;
  const auto all = texts(svg);
  EXPECT_TRUE(contains(all, "7  intermittent"));
  EXPECT_TRUE(contains(all, "8  distributed"));
  EXPECT_TRUE(contains(all, "Superficial gas velocity usg (m/s)"));
  EXPECT_TRUE(contains(all, "Superficial liquid velocity usl (m/s)"));
  for (const char* decade : {"0.001", "0.01", "0.1", "1", "10", "100"}) {
    EXPECT_TRUE(contains(all, decade)) << decade;
  }
  bool boundary = false;
  for (const auto& e : svg.elements) {
    if (e.name == "path" && e.attributes.count("id") &&
        e.attributes.at("id") == "boundaries") {
      boundary = !e.attributes.at("d").empty();
    }
  }
  EXPECT_TRUE(boundary);
}

TEST_F(Pictures, TextsWithMarkupCharactersStayWellFormed) {
  auto m = map();
  m.description = "<Beggs & Brill> \"quoted\" 'single'\x01\xff";
  const auto svg = parse_svg(render_flow_map_svg(m));
  ASSERT_TRUE(svg.well_formed) << svg.error;
  EXPECT_TRUE(contains(texts(svg),
                       "Flow-pattern map \u2013 LIN_3 (<Beggs & Brill> "
                       "\"quoted\" 'single' \uFFFD)"));
}

// A pipe whose pressure barely changes (a millionth of a pascal over 10 m
// at 10 bar) still gets a bounded, finite plot.
TEST_F(Pictures, AnAlmostConstantPressureStillPlots) {
  TraverseCase pipe;
  pipe.title = "flat";
  pipe.inlet_pressure = 10e5;
  pipe.liquid_rate = 1e-10;
  pipe.gas_rate = 0.0;
  pipe.liquid_density = 1000.0;
  pipe.gas_density = 10.0;
  pipe.reference_pressure = 10e5;
  pipe.profile = {{10.0, 0.0, 1e8, 0.0}};  // LIN_3: 100/1e8 Pa/m
  const auto traverse = run_traverse(lin_, pipe, 1.0);
  const std::string text =
      traverse_svg({pipe.title, "c.case", "LIN_3", 1.0}, pipe, traverse);
  EXPECT_EQ(text.find("nan"), std::string::npos);
  EXPECT_EQ(text.find("inf"), std::string::npos);
  const auto svg = parse_svg(text);
  ASSERT_TRUE(svg.well_formed) << svg.error;
}

TEST_F(Pictures, TraversePlotIsWellFormedWithItsThreeCurves) {
  TraverseCase pipe;
  pipe.title = "two segments & a <test>";
  pipe.inlet_pressure = 10e5;
  pipe.liquid_rate = 5.0;
  pipe.gas_rate = 0.1;
  pipe.liquid_density = 1000.0;
  pipe.gas_density = 10.0;
  pipe.reference_pressure = 10e5;
  pipe.profile = {{100.0, 10.0, 0.1, 1e-5}, {200.0, -5.0, 0.2, 1e-5}};
  const auto traverse = run_traverse(lin_, pipe, 50.0);
  const auto svg = parse_svg(
      traverse_svg({pipe.title, "c.case", "LIN_3", 50.0}, pipe, traverse));
  ASSERT_TRUE(svg.well_formed) << svg.error;
  std::map<std::string, std::size_t> points;
  for (const auto& e : svg.elements) {
    if (e.name != "path" || !e.attributes.count("id")) continue;
    const auto& d = e.attributes.at("d");
    points[e.attributes.at("id")] =
        static_cast<std::size_t>(std::count(d.begin(), d.end(), 'L')) + 1;
  }
  for (const char* curve : {"pressure", "holdup", "elevation"}) {
    EXPECT_EQ(points[curve], traverse.stations.size()) << curve;
  }
  const auto all = texts(svg);
  EXPECT_TRUE(contains(all, "7  intermittent"));
  EXPECT_TRUE(contains(all, "5  segregated"));
}

// Codes no table here knows (another plug-in's own) are named by number
// and coloured by code, so a legend of several plug-ins' traverses never
// fails and neighbouring codes stay apart.
TEST(PatternLegend, CodesOfAnotherPluginAreShownByNumber) {
  EXPECT_EQ(pattern_name(PIPECORR_PATTERN_SEGREGATED), "segregated");
  EXPECT_EQ(pattern_name(PIPECORR_PATTERN_ANSARI_SLUG), "Ansari slug");
  EXPECT_EQ(pattern_name(90), "pattern 90");
  EXPECT_EQ(pattern_name(-7), "pattern -7");
  for (const std::int32_t id : {90, 91, -7, 2147483646}) {
    EXPECT_EQ(pattern_colour(id).size(), 7U) << id;
    EXPECT_NE(pattern_colour(id), pattern_colour(id + 1)) << id;
  }
}

}  // namespace
}  // namespace pipecorr::hostkit
