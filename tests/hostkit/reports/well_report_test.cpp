// The well and lift reports from traverses built by hand: numbers reach the
// CSV in the case's units (checked against conversions worked out here, not
// by the code under test), depth runs downward in the picture, every
// picture is well-formed XML (read back by a real parser) whatever the
// data, and texts from outside stay escaped.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include "reports/lift_report.hpp"
#include "reports/well_report.hpp"
#include "support/xml_document.hpp"
#include "text/csv.hpp"

namespace pipecorr::hostkit {
namespace {

// By hand: 1 psi = 0.45359237 kg * 9.80665 m/s2 / (0.0254 m)^2.
constexpr double kPaPerPsi = 0.45359237 * 9.80665 / (0.0254 * 0.0254);
// 1 STB = 42 * 231 in3; a day is 86400 s.
constexpr double kM3PerStb = 42.0 * 231.0 * 0.0254 * 0.0254 * 0.0254;
constexpr double kM3PerScf = 0.3048 * 0.3048 * 0.3048;
constexpr double kStbPerDay = kM3PerStb / 86400.0;

using Element = pipecorr::testing::XmlElement;

// The elements of a document in order, or nothing when it is not
// well-formed XML.
std::optional<std::vector<Element>> parse_xml(const std::string& document) {
  auto doc = pipecorr::testing::parse_xml(document);
  if (!doc.well_formed()) return std::nullopt;
  return std::move(doc.elements);
}

const Element* by_id(const std::vector<Element>& elements,
                     const std::string& id) {
  for (const auto& e : elements) {
    const auto it = e.attributes.find("id");
    if (it != e.attributes.end() && it->second == id) return &e;
  }
  return nullptr;
}

bool has_text(const std::vector<Element>& elements, const std::string& text) {
  return std::any_of(elements.begin(), elements.end(),
                     [&](const Element& e) { return e.text == text; });
}

// The points of path data "Mx yLx y...".
std::vector<std::pair<double, double>> path_points(const std::string& d) {
  std::vector<std::pair<double, double>> points;
  for (std::size_t at = d.find_first_of("ML"); at != std::string::npos;
       at = d.find_first_of("ML", at + 1)) {
    const std::size_t blank = d.find(' ', at);
    points.emplace_back(std::stod(d.substr(at + 1)),
                        std::stod(d.substr(blank + 1)));
  }
  return points;
}

// Every curve (a path with an id) lies inside the picture.
void expect_curves_inside(const std::vector<Element>& elements) {
  ASSERT_FALSE(elements.empty());
  const double width = std::stod(elements[0].attributes.at("width"));
  const double height = std::stod(elements[0].attributes.at("height"));
  for (const auto& e : elements) {
    if (e.name != "path" || !e.attributes.count("id")) continue;
    for (const auto& [x, y] : path_points(e.attributes.at("d"))) {
      EXPECT_TRUE(x >= 0 && x <= width && y >= 0 && y <= height)
          << e.attributes.at("id") << " at " << x << ", " << y;
    }
  }
}

// No coordinate, size or path holds a non-number.
void expect_finite_attributes(const std::vector<Element>& elements) {
  for (const auto& e : elements) {
    for (const auto& [key, value] : e.attributes) {
      if (key == "id" || key == "class" || key.starts_with("data-")) continue;
      std::string lower = value;
      std::transform(lower.begin(), lower.end(), lower.begin(),
                     [](unsigned char c) { return std::tolower(c); });
      EXPECT_EQ(lower.find("nan"), std::string::npos) << key << "=" << value;
      EXPECT_EQ(lower.find("inf"), std::string::npos) << key << "=" << value;
    }
  }
}

WellCase field_case() {
  WellCase c;
  c.title = "A-12";
  c.source = "a12.case";
  c.units = UnitSystem::kField;
  c.known_pressure = 150.0 * kPaPerPsi;
  c.fluid.api = 35.0;
  c.fluid.gas_gravity = 0.7;
  c.rates = {800.0 * kStbPerDay, 200.0 * kStbPerDay,
             480.0 * 1000.0 * kM3PerScf / 86400.0};
  return c;
}

// md and tvd in ft, pressure in psia; the other values SI.
WellStation station(double md_ft, double tvd_ft, double psia) {
  WellStation s;
  s.md = md_ft * 0.3048;
  s.tvd = tvd_ft * 0.3048;
  s.pressure = psia * kPaPerPsi;
  s.temperature = 320.0;
  s.holdup = 0.4;
  s.pattern = 7;
  return s;
}

WellTraverse traverse(std::string name, std::vector<WellStation> stations,
                      std::string stopped = {}) {
  WellTraverse t;
  t.correlation = std::move(name);
  t.stations = std::move(stations);
  t.completed = stopped.empty();
  t.stopped = std::move(stopped);
  if (t.completed && !t.stations.empty()) t.answer = t.stations.back().pressure;
  return t;
}

struct CsvCase {
  UnitSystem units;
  std::string header;
  std::vector<double> row;  // every numeric cell after the correlation
};

class WellCsv : public ::testing::TestWithParam<CsvCase> {};

TEST_P(WellCsv, ConvertsEveryColumnToTheCaseUnits) {
  WellStation s;
  s.md = 304.8;  // 1000 ft
  s.tvd = 152.4;
  s.inclination = 10.0;
  s.fi = 80.0;
  s.pressure = 1e6;     // 145.0377 psia
  s.temperature = 300;  // (300 - 273.15) * 1.8 + 32 = 80.33 F
  s.gradient = 1e4;     // 1e4 * 0.3048 / 6894.757 = 0.442075 psi/ft
  s.holdup = 0.5;
  s.pattern = 7;
  s.usl = 0.3048;  // 1 ft/s
  s.usg = 3.048;
  s.rol = 1000.0;       // 1000 / 16.01846 = 62.42796 lbm/ft3
  s.rog = 16.01846337;  // 1 lbm/ft3
  s.visl = 1e-3;        // 1 cP
  s.visg = 1e-5;
  s.sigma = 0.02;            // 20 dyn/cm
  s.mass_flow = 0.45359237;  // 1 lbm/s
  s.acceleration = 1e2;      // 0.00442075 psi/ft
  WellCase c = field_case();
  c.units = GetParam().units;
  const std::vector<WellTraverse> ts{traverse("B,\"B\"", {s})};
  const std::string csv = well_traverse_csv(c, ts);

  CsvReader reader(csv);
  ASSERT_TRUE(reader.next());
  std::string header;
  for (const auto cell : reader.cells()) {
    header += (header.empty() ? "" : ",") + std::string(cell);
  }
  EXPECT_EQ(header, GetParam().header);
  ASSERT_TRUE(reader.next());
  const auto cells = reader.cells();
  ASSERT_EQ(cells.size(), GetParam().row.size() + 2);  // + name, pattern
  EXPECT_EQ(cells[0], "B,\"B\"");
  EXPECT_EQ(cells[10], "intermittent");
  for (std::size_t k = 0, cell = 1; k < GetParam().row.size(); ++k, ++cell) {
    if (cell == 10) ++cell;  // the pattern's name
    const double expected = GetParam().row[k];
    EXPECT_NEAR(std::stod(std::string(cells[cell])), expected,
                2e-6 * std::abs(expected) + 1e-12)
        << "column " << cell;
  }
  EXPECT_FALSE(reader.next());
}

INSTANTIATE_TEST_SUITE_P(
    Systems, WellCsv,
    ::testing::Values(
        CsvCase{
            UnitSystem::kField,
            "correlation,md_ft,tvd_ft,inclination_deg,fi_deg,pressure_"
            "psia,temperature_F,gradient_md_psi_per_ft,holdup,id,pattern,usl_"
            "ft_per_s,usg_ft_per_s,rho_l_lbm_per_ft3,rho_g_lbm_per_ft3,mu_"
            "l_cP,mu_g_cP,sigma_dyn_per_cm,mass_flow_lbm_per_s,"
            "acceleration_md_psi_per_ft",
            {1000, 500, 10, 80, 145.0377, 80.33, 0.442075, 0.5, 7, 1, 10,
             62.42796, 1, 1, 0.01, 20, 1, 0.00442075}},
        CsvCase{UnitSystem::kSi,
                // Pressures in bar, gradients in bar/m.
                "correlation,md_m,tvd_m,inclination_deg,fi_deg,pressure_bar,"
                "temperature_K,gradient_md_bar_per_m,holdup,id,pattern,usl_m_"
                "per_s,usg_m_per_s,rho_l_kg_per_m3,rho_g_kg_per_m3,mu_l_Pa_s,"
                "mu_g_Pa_s,sigma_N_per_m,mass_flow_kg_per_s,acceleration_md_"
                "bar_per_m",
                {304.8, 152.4, 10, 80, 10, 300, 0.1, 0.5, 7, 0.3048, 3.048,
                 1000, 16.01846337, 1e-3, 1e-5, 0.02, 0.45359237, 1e-3}}));

TEST(WellText, HeadingRowsAndStopsInFieldUnitsWithOutsideTextsEscaped) {
  WellCase c = field_case();
  c.title = "\x1b]0;title\x07 \xff";
  auto done = traverse("BB_3", {station(0, 0, 150), station(1000, 500, 350)});
  done.answer = 2345.6 * kPaPerPsi;
  done.stations[1].gradient = 1e4;
  const std::vector<WellTraverse> ts{
      done, traverse("X\x1b[2J", {station(0, 0, 150), station(1000, 500, 145)},
                     "pressure fell\r to zero")};
  const std::string text = well_traverse_text(c, ts);
  for (const char* expected :
       {"Well traverse: \\x1B]0;title\\x07 \\xFF\n",
        "BB_3: wellhead 150.0 psia given, bottom-hole 2345.6 psia\n",
        "X\\x1B[2J: wellhead 150.0 psia given, stopped at md 1000.0 ft\n",
        "    1000.0     500.0   0.00      350.0   116.3  0.4000     0.4421",
        "  7 intermittent\n",
        "stopped at md 1000.0 ft (tvd 500.0 ft, 145.0 psia): pressure "
        "fell\\x0D to zero\n"}) {
    EXPECT_NE(text.find(expected), std::string::npos) << expected;
  }
  for (const char ch : text) {
    const auto byte = static_cast<unsigned char>(ch);
    EXPECT_TRUE(byte == '\n' || (byte >= 0x20 && byte != 0x7F && byte != 0xFF))
        << "raw byte " << static_cast<int>(byte);
  }
}

TEST(WellPicture, OneCurvePerTraverseTrackWithDepthGrowingDownward) {
  std::vector<WellStation> a, b;
  for (int k = 0; k <= 4; ++k) {
    a.push_back(station(2000.0 * k, 1800.0 * k, 150 + 400.0 * k));
    b.push_back(station(2000.0 * k, 1800.0 * k, 150 + 450.0 * k));
    b.back().pattern = k < 2 ? 6 : 8;
  }
  const std::vector<WellTraverse> ts{traverse("BB_3", a),
                                     traverse("ORBA_3", b)};
  const auto svg = parse_xml(well_traverse_svg(field_case(), ts));
  ASSERT_TRUE(svg);
  for (const char* track : {"pressure", "temperature", "holdup"}) {
    for (int i = 1; i <= 2; ++i) {
      const auto* path =
          by_id(*svg, track + std::string("-") + std::to_string(i));
      ASSERT_NE(path, nullptr) << track << i;
      std::vector<double> ys;
      for (const auto& point : path_points(path->attributes.at("d"))) {
        ys.push_back(point.second);
      }
      ASSERT_EQ(ys.size(), 5U);
      // Stations listed top first: each deeper one lower on the page.
      EXPECT_TRUE(std::is_sorted(ys.begin(), ys.end()) && ys[0] < ys[4]);
    }
    EXPECT_EQ(by_id(*svg, track + std::string("-3")), nullptr);
  }
  EXPECT_TRUE(has_text(*svg, "1  BB_3"));
  EXPECT_TRUE(has_text(*svg, "2  ORBA_3"));
  EXPECT_TRUE(has_text(*svg, "True vertical depth (ft)"));
  for (const char* pattern :
       {"6  transition", "7  intermittent", "8  distributed"}) {
    EXPECT_TRUE(has_text(*svg, pattern)) << pattern;
  }
  expect_finite_attributes(*svg);
}

struct Degenerate {
  const char* name;
  std::vector<WellTraverse> traverses;
};

class WellDegenerate : public ::testing::TestWithParam<Degenerate> {};

TEST_P(WellDegenerate, EveryReportStaysFiniteAndWellFormed) {
  WellCase c = field_case();
  c.title = "<&>\x01\xc3";
  const auto& ts = GetParam().traverses;
  const auto svg = parse_xml(well_traverse_svg(c, ts));
  ASSERT_TRUE(svg);
  expect_finite_attributes(*svg);
  expect_curves_inside(*svg);
  for (const std::string& out :
       {well_traverse_text(c, ts), well_traverse_csv(c, ts)}) {
    EXPECT_EQ(out.find("nan"), std::string::npos) << out;
    EXPECT_EQ(out.find("inf"), std::string::npos) << out;
  }
}

WellStation not_finite() {
  WellStation s = station(10, 10, 150);
  s.pressure = std::numeric_limits<double>::quiet_NaN();
  s.temperature = std::numeric_limits<double>::infinity();
  return s;
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, WellDegenerate,
    ::testing::Values(
        Degenerate{"none", {}},
        Degenerate{"one_station", {traverse("A", {station(0, 0, 150)})}},
        Degenerate{"stopped_at_one_station",
                   {traverse("A", {station(0, 0, 150)}, "no gradient")}},
        Degenerate{"stopped_before_any", {traverse("A", {}, "bad fluid")}},
        Degenerate{"equal_pressures",
                   {traverse("A", {station(0, 0, 150), station(0, 0, 150),
                                   station(0, 0, 150)})}},
        Degenerate{"values_not_finite",
                   {traverse("A", {station(0, 0, 150), not_finite(),
                                   station(20, 20, 160)})}}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

LiftCurves lift_curves() {
  LiftCurves lc;
  lc.correlation = "BB_3";
  lc.inflow = well::StraightLineInflow(3000.0 * kPaPerPsi,
                                       2.0 * kStbPerDay / kPaPerPsi);
  for (const double glr : {500.0, 1000.0}) {
    LiftCurve curve;
    curve.gas_liquid_ratio = glr * kM3PerScf / kM3PerStb;
    curve.wellhead_pressure = 150.0 * kPaPerPsi;
    for (const double q : {500.0, 1000.0, 1500.0, 2000.0}) {
      curve.points.push_back({q * kStbPerDay, 1e7 + 1e3 * q});
    }
    lc.curves.push_back(curve);
  }
  // The second curve's 1500 STB/d failed.
  lc.curves[1].points.erase(lc.curves[1].points.begin() + 2);
  lc.curves[1].failures = {"1500 STB/d: pressure fell to zero"};
  lc.curves[0].operating_point =
      well::Crossing{1234.5 * kStbPerDay, 1800.2 * kPaPerPsi, true, 1};
  lc.curves[0].crossings = {
      well::Crossing{800.0 * kStbPerDay, 1900.0 * kPaPerPsi, true, 0, true},
      *lc.curves[0].operating_point};
  return lc;
}

TEST(LiftReport, CsvInFieldUnits) {
  WellCase c = field_case();
  c.lift.liquid_rates = {500 * kStbPerDay, 1000 * kStbPerDay, 1500 * kStbPerDay,
                         2000 * kStbPerDay};
  const std::string csv = lift_curves_csv(c, lift_curves());
  CsvReader reader(csv);
  ASSERT_TRUE(reader.next());
  std::string header;
  for (const auto cell : reader.cells()) {
    header += (header.empty() ? "" : ",") + std::string(cell);
  }
  EXPECT_EQ(header,
            "correlation,curve,gas_liquid_ratio_scf_per_STB,wellhead_pressure_"
            "psia,liquid_rate_STB_per_d,bottom_hole_pressure_psia,point");
  ASSERT_TRUE(reader.next());
  // 1e7 + 5e5 Pa / 6894.757 = 1522.896 psia.
  const std::vector<double> first{1, 500, 150, 500, 1522.896};
  for (std::size_t k = 0; k < first.size(); ++k) {
    EXPECT_NEAR(std::stod(std::string(reader.cells()[k + 1])), first[k],
                1e-6 * first[k])
        << k;
  }
  // The 7 points of the two curves, then the first curve's crossings.
  std::vector<std::string> kinds{std::string(reader.cells()[6])};
  while (reader.next()) kinds.emplace_back(reader.cells()[6]);
  const std::vector<std::string> expected{
      "lift", "lift", "lift", "lift", "unstable_crossing", "stable_crossing",
      "lift", "lift", "lift"};
  EXPECT_EQ(kinds, expected);
}

TEST(LiftReport, PictureMarksOperatingPointAndLeavesGaps) {
  WellCase c = field_case();
  c.title = "lift \x01\xff";
  c.lift.liquid_rates = {500 * kStbPerDay, 1000 * kStbPerDay, 1500 * kStbPerDay,
                         2000 * kStbPerDay};
  const auto svg = parse_xml(lift_curves_svg(c, lift_curves()));
  ASSERT_TRUE(svg);
  expect_finite_attributes(*svg);
  // Curve 2 lacks 1500 STB/d, between 1000 and 2000: two runs of line.
  for (const auto& [id, runs] : {std::pair{"lift-1", 1}, {"lift-2", 2}}) {
    const auto* path = by_id(*svg, id);
    ASSERT_NE(path, nullptr) << id;
    const auto& d = path->attributes.at("d");
    EXPECT_EQ(std::count(d.begin(), d.end(), 'M'), runs) << id;
  }
  EXPECT_NE(by_id(*svg, "inflow"), nullptr);
  EXPECT_EQ(std::count_if(svg->begin(), svg->end(),
                          [](const Element& e) {
                            return e.attributes.count("class") &&
                                   e.attributes.at("class") ==
                                       "operating-point";
                          }),
            1);
  EXPECT_EQ(std::count_if(svg->begin(), svg->end(),
                          [](const Element& e) {
                            return e.attributes.count("class") &&
                                   e.attributes.at("class") ==
                                       "unstable-crossing";
                          }),
            1);
  EXPECT_TRUE(has_text(*svg, "1234.5 STB/d, 1800.2 psia"));
  EXPECT_TRUE(has_text(*svg, "800.0 STB/d, 1900.0 psia (heading)"));
  EXPECT_TRUE(has_text(*svg, "Lift curves \u2013 lift  \uFFFD"));
}

TEST(LiftReport, NoCurvesOrOnePointStillDraws) {
  WellCase c = field_case();
  LiftCurves empty;
  LiftCurves one = lift_curves();
  one.inflow.reset();
  one.curves.resize(1);
  one.curves[0].points.resize(1);
  for (const LiftCurves* lc : {&empty, &one}) {
    const auto svg = parse_xml(lift_curves_svg(c, *lc));
    ASSERT_TRUE(svg);
    expect_finite_attributes(*svg);
    expect_curves_inside(*svg);
    EXPECT_EQ(lift_curves_text(c, *lc).find("nan"), std::string::npos);
  }
}

}  // namespace
}  // namespace pipecorr::hostkit
