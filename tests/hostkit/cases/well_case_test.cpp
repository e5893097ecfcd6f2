// The well case reader: one well written in field and in SI units gives
// one model; every alternative key reads as its partner; bad cases fail
// with the file, the line and the key. SI values of the SI case were
// worked out apart from the code (psi = 6894.757293168361 Pa, barrel =
// 0.158987294928 m3, cubic foot = 0.028316846592 m3, °F = 1.8 K).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "cases/well_case.hpp"
#include "support/work_dir.hpp"
#include "text/error.hpp"

namespace pipecorr::hostkit {
namespace {

constexpr double kPsi = 6894.757293168361;  // Pa
constexpr double kBbl = 0.158987294928;     // m3
constexpr double kScf = 0.028316846592;     // m3
constexpr double kDay = 86400.0;            // s

double kelvin(double fahrenheit) { return (fahrenheit + 459.67) / 1.8; }

using Files = std::map<std::string, std::string>;
using Changes = std::vector<std::pair<std::string, std::string>>;

const Files kFieldFiles{
    {"survey.csv",
     "md,inclination,azimuth\n0,0,0\n2000,0,0\n4000,30,45\n"
     "6000,30,45\n"},
    {"pipe.csv",
     "md_top,md_bottom,diameter,roughness\n0,3000,2.441,0.0006\n"
     "3000,6000,1.995,0.0006\n"},
    {"temps.csv", "md,temperature\n0,85\n6000,200\n"},
};

// One key a line, so that a message's line number is known.
const Changes kBase{
    {"units", "field"},                   // 1
    {"survey", "survey.csv"},             // 2
    {"inside_diameter", "2.441 in"},      // 3
    {"roughness", "0.0006 in"},           // 4
    {"api", "36"},                        // 5
    {"gas_gravity", "0.75"},              // 6
    {"water_gravity", "1.05"},            // 7
    {"liquid_rate", "1000 STB/d"},        // 8
    {"water_cut", "0.5"},                 // 9
    {"glr", "800 scf/STB"},               // 10
    {"wellhead_pressure", "150 psi"},     // 11
    {"wellhead_temperature", "85 F"},     // 12
    {"bottomhole_temperature", "200 F"},  // 13
    {"correlation", "BB_3"},              // 14
};

// The base case with values changed in place, keys dropped (an empty
// value leaves a comment on their line) and new keys from line 15 on.
std::string case_text(const Changes& changes) {
  Changes lines = kBase;
  for (const auto& [key, value] : changes) {
    bool found = false;
    for (auto& line : lines) {
      if (line.first == key) {
        line.second = value;
        found = true;
      }
    }
    if (!found) lines.emplace_back(key, value);
  }
  std::string text;
  for (const auto& [key, value] : lines) {
    text +=
        value.empty() ? "# " + key + " dropped\n" : key + " = " + value + "\n";
  }
  return text;
}

WellCase parse(const std::string& text, const Files& files = kFieldFiles) {
  return parse_well_case(
      text, "well.case", [&](const std::filesystem::path& path) {
        const auto found = files.find(path.string());
        if (found == files.end()) {
          throw Error("file '" + path.string() + "' does not exist");
        }
        return found->second;
      });
}

void expect_close(double got, double want, const std::string& what) {
  EXPECT_NEAR(got, want, 1e-12 * std::abs(want)) << what;
}

void expect_same_model(const WellCase& a, const WellCase& b) {
  ASSERT_EQ(a.survey.size(), b.survey.size());
  for (std::size_t i = 0; i < a.survey.size(); ++i) {
    expect_close(a.survey[i].md, b.survey[i].md, "md");
    expect_close(a.survey[i].inclination, b.survey[i].inclination, "inc");
    expect_close(a.survey[i].azimuth.value(), b.survey[i].azimuth.value(),
                 "azimuth");
  }
  const auto pa = a.pipe.sections();
  const auto pb = b.pipe.sections();
  ASSERT_EQ(pa.size(), pb.size());
  for (std::size_t i = 0; i < pa.size(); ++i) {
    expect_close(pa[i].diameter, pb[i].diameter, "diameter");
    expect_close(pa[i].roughness, pb[i].roughness, "roughness");
  }
  expect_close(*a.temperature.wellhead, *b.temperature.wellhead, "T top");
  expect_close(*a.temperature.bottom_hole, *b.temperature.bottom_hole,
               "T bottom");
  const auto& fa = a.fluid;
  const auto& fb = b.fluid;
  EXPECT_EQ(fa.api, fb.api);
  EXPECT_EQ(fa.gas_gravity, fb.gas_gravity);
  EXPECT_EQ(fa.water_gravity, fb.water_gravity);
  expect_close(fa.non_hydrocarbons.co2, fb.non_hydrocarbons.co2, "co2");
  expect_close(fa.separator_pressure, fb.separator_pressure, "p sep");
  expect_close(fa.separator_temperature, fb.separator_temperature, "T sep");
  expect_close(a.rates.oil, b.rates.oil, "oil");
  expect_close(a.rates.water, b.rates.water, "water");
  expect_close(a.rates.gas, b.rates.gas, "gas");
  EXPECT_EQ(a.known_end, b.known_end);
  expect_close(a.known_pressure, b.known_pressure, "known pressure");
  expect_close(a.march.max_step, b.march.max_step, "step");
  expect_close(a.march.absolute_tolerance, b.march.absolute_tolerance, "tol");
  ASSERT_EQ(a.lift.liquid_rates.size(), b.lift.liquid_rates.size());
  for (std::size_t i = 0; i < a.lift.liquid_rates.size(); ++i) {
    expect_close(a.lift.liquid_rates[i], b.lift.liquid_rates[i], "lift q");
  }
  ASSERT_EQ(a.lift.wellhead_pressures.size(), b.lift.wellhead_pressures.size());
  for (std::size_t i = 0; i < a.lift.wellhead_pressures.size(); ++i) {
    expect_close(a.lift.wellhead_pressures[i], b.lift.wellhead_pressures[i],
                 "lift p");
  }
  expect_close(*a.lift.reservoir_pressure, *b.lift.reservoir_pressure, "pr");
  expect_close(*a.lift.productivity_index, *b.lift.productivity_index, "PI");
}

TEST(WellCase, OneWellInFieldAndSiUnitsGivesOneModel) {
  // Bare numbers in the field case take field units.
  const std::string field =
      "units = field\nsurvey = survey.csv\ninside_diameter = 2.441\n"
      "roughness = 0.0006\napi = 36\ngas_gravity = 0.75\n"
      "water_gravity = 1.05\nco2 = 2 %\nseparator_pressure = 100\n"
      "separator_temperature = 70\nliquid_rate = 1000\nwater_cut = 0.5\n"
      "glr = 800\nwellhead_pressure = 150\nwellhead_temperature = 85\n"
      "bottomhole_temperature = 200\nstep = 50\ntolerance = 0.1 psi\n"
      "lift_rates = 100, 200, 400\nlift_wellhead_pressures = 100, 150 psia\n"
      "reservoir_pressure = 3000\nproductivity_index = 1.5\n";
  const std::string si =
      "units = si   # bare numbers in SI\nsurvey = survey.csv\n"
      "inside_diameter = 62.0014 mm\nroughness = 1.524e-5\napi = 36\n"
      "gas_gravity = 0.75\nwater_gravity = 1.05\nco2 = 0.02\n"
      "separator_pressure = 689475.7293168361\n"
      "separator_temperature = 21.11111111111111 degC\n"
      "liquid_rate = 158.987294928 m3/d\nwater_cut = 50%\n"
      "glr = 142.48608534322824 sm3/sm3\n"
      "wellhead_pressure = 10.342135939752541 bar\n"
      "wellhead_temperature = 302.5944444444445\n"
      "bottomhole_temperature = 93.33333333333333 °C\nstep = 15.24\n"
      "tolerance = 689.4757293168361\n"
      "lift_rates = 15.8987294928, 31.7974589856, 63.5949179712 m3/d\n"
      "lift_wellhead_pressures = 689475.7293168361, 1034213.5939752541\n"
      "reservoir_pressure = 206.84271879505084 bar\n"
      "productivity_index = 3.458873637630403 m3/d/bar\n";
  const Files si_files{{"survey.csv",
                        "md_m,inclination_deg,azimuth\n0,0,0\n609.6,0,0\n"
                        "1219.2,30,45\n1828.8,30,45\n"}};
  const WellCase a = parse(field);
  const WellCase b = parse(si, si_files);
  expect_same_model(a, b);
  EXPECT_EQ(a.units, UnitSystem::kField);
  EXPECT_EQ(b.units, UnitSystem::kSi);
  // And the model against the hand values themselves.
  expect_close(a.survey.back().md, 1828.8, "md");
  expect_close(a.pipe.sections()[0].diameter, 0.0620014, "diameter");
  expect_close(a.known_pressure, 150 * kPsi, "pressure");
  expect_close(a.rates.oil, 500 * kBbl / kDay, "oil");
  expect_close(a.rates.water, 500 * kBbl / kDay, "water");
  expect_close(a.rates.gas, 800e3 * kScf / kDay, "gas");
  expect_close(*a.temperature.bottom_hole, kelvin(200), "T");
  expect_close(*a.lift.productivity_index, 1.5 * kBbl / kDay / kPsi, "PI");
  EXPECT_EQ(a.title, "well");
}

TEST(WellCase, EveryAlternativeReadsAsItsPartner) {
  const WellCase base = parse(case_text({}));
  struct Alternative {
    const char* name;
    Changes changes;
    std::function<void(const WellCase&)> check;
  };
  const std::vector<Alternative> alternatives{
      {"oil_rate and water_rate",
       {{"liquid_rate", ""},
        {"water_cut", ""},
        {"oil_rate", "500"},
        {"water_rate", "500 bbl/d"}},
       [&](const WellCase& c) {
         expect_close(c.rates.oil, base.rates.oil, "oil");
         expect_close(c.rates.water, base.rates.water, "water");
         expect_close(c.rates.gas, base.rates.gas, "gas");
       }},
      {"gor",
       {{"glr", ""}, {"gor", "1600 scf/STB"}},
       [&](const WellCase& c) {
         expect_close(c.rates.gas, base.rates.gas, "");
       }},
      {"gas_rate",
       {{"glr", ""}, {"gas_rate", "800 Mscf/d"}},
       [&](const WellCase& c) {
         expect_close(c.rates.gas, base.rates.gas, "");
       }},
      {"bottomhole_pressure",
       {{"wellhead_pressure", ""}, {"bottomhole_pressure", "2500"}},
       [](const WellCase& c) {
         EXPECT_EQ(c.known_end, well::KnownEnd::kBottomHole);
         expect_close(c.known_pressure, 2500 * kPsi, "");
       }},
      {"pipe",
       {{"inside_diameter", ""}, {"roughness", ""}, {"pipe", "pipe.csv"}},
       [](const WellCase& c) {
         ASSERT_EQ(c.pipe.sections().size(), 2u);
         expect_close(c.pipe.sections()[1].top_md, 914.4, "top");
         expect_close(c.pipe.sections()[1].diameter, 1.995 * 0.0254, "d");
       }},
      {"temperature_profile",
       {{"wellhead_temperature", ""},
        {"bottomhole_temperature", ""},
        {"temperature_profile", "temps.csv"}},
       [](const WellCase& c) {
         EXPECT_FALSE(c.temperature.wellhead);
         ASSERT_EQ(c.temperature.profile.size(), 2u);
         expect_close(c.temperature.profile[1].md, 1828.8, "md");
         expect_close(c.temperature.profile[1].temperature, kelvin(200), "T");
       }},
      {"lift_glrs with productivity_index",
       {{"lift_rates", "100, 200"},
        {"lift_glrs", "0, 500"},
        {"reservoir_pressure", "3000"},
        {"productivity_index", "2"}},
       [](const WellCase& c) {
         ASSERT_EQ(c.lift.gas_liquid_ratios.size(), 2u);
         expect_close(c.lift.gas_liquid_ratios[1], 500 * kScf / kBbl, "glr");
         EXPECT_TRUE(c.lift.wellhead_pressures.empty());
         expect_close(*c.lift.productivity_index, 2 * kBbl / kDay / kPsi, "");
         EXPECT_FALSE(c.lift.vogel_max_rate);
       }},
      {"lift_wellhead_pressures with vogel_max_rate",
       {{"lift_rates", "100, 200"},
        {"lift_wellhead_pressures", "100, 200"},
        {"reservoir_pressure", "3000"},
        {"vogel_max_rate", "2500"}},
       [](const WellCase& c) {
         expect_close(c.lift.wellhead_pressures[1], 200 * kPsi, "whp");
         expect_close(*c.lift.vogel_max_rate, 2500 * kBbl / kDay, "qmax");
         EXPECT_FALSE(c.lift.productivity_index);
       }},
      {"injector, average angle, ramey off, other fluid correlations",
       {{"flow", "injector"},
        {"tvd_method", "Average_Angle"},
        {"z_factor", "dranchuk_abou_kassem"},
        {"pseudo_critical", "standing_condensate"},
        {"live_oil_viscosity", "chew_connally"}},
       [](const WellCase& c) {
         EXPECT_EQ(c.flow, well::FlowDirection::kDownTheWell);
         EXPECT_EQ(c.tvd_method, well::TvdMethod::kAverageAngle);
         EXPECT_EQ(c.fluid.correlations.z,
                   fluids::ZCorrelation::kDranchukAbouKassem);
         EXPECT_EQ(c.fluid.correlations.pseudo_critical,
                   fluids::GravityCorrelation::kStandingCondensate);
         EXPECT_EQ(c.fluid.correlations.live_oil_viscosity,
                   fluids::LiveOilViscosityCorrelation::kChewConnally);
       }},
      {"ramey, two correlations, title",
       {{"temperature_model", "ramey"},
        {"correlation", "BB_3, ORBA_3"},
        {"title", "Well #3"}},
       [](const WellCase& c) {
         EXPECT_TRUE(c.temperature.ramey);
         EXPECT_EQ(c.correlations,
                   (std::vector<std::string>{"BB_3", "ORBA_3"}));
         EXPECT_EQ(c.title, "Well #3");
       }},
  };
  for (const auto& alternative : alternatives) {
    SCOPED_TRACE(alternative.name);
    alternative.check(parse(case_text(alternative.changes)));
  }
}

TEST(WellCase, BadCasesNameTheFileTheLineAndTheKey) {
  struct Bad {
    Changes changes;
    Files files;  // replacing the field files of the same name
    std::string message;
  };
  const Changes use_pipe{
      {"inside_diameter", ""}, {"roughness", ""}, {"pipe", "pipe.csv"}};
  const std::vector<Bad> cases{
      {{{"wellhead_pressure", "150 psig"}},
       {},
       "well.case:11: key 'wellhead_pressure': unit 'psig' is a gauge "
       "pressure, which only the atmosphere's pressure makes absolute: give "
       "absolute pressure (psia, bara)"},
      {{{"units", ""}},
       {},
       "well.case: key 'units' is missing: say 'units = field' or 'units = "
       "si', the units of every number written without one"},
      {{{"units", "metric"}},
       {},
       "well.case:1: key 'units': 'metric' is not one of field or si"},
      {{{"water_rate", "100"}},
       {},
       "well.case:15: key 'water_rate': give water_rate or water_cut, not "
       "both (water_cut is on line 9)"},
      {{{"glr", ""}},
       {},
       "well.case: key 'glr', 'gor' or 'gas_rate' is missing"},
      {{{"gor", "900"}},
       {},
       "well.case:15: key 'gor': give only one of glr, gor or gas_rate (glr "
       "is on line 10)"},
      {{{"liquid_rate", ""}, {"oil_rate", "500"}},
       {},
       "well.case:9: key 'water_cut': water_cut goes with liquid_rate (oil "
       "and water together); with oil_rate give water_rate"},
      {{{"api", "3"}},
       {},
       "well.case:5: key 'api': 3 is outside the fluid correlations' range 5 "
       "to 100"},
      {{{"co2", "0.5"}, {"h2s", "50 %"}},
       {},
       "well.case:16: key 'h2s': co2 + h2s + n2 = 1 leaves no hydrocarbon "
       "gas: the sum must be below 1"},
      {{{"wellhead_temperature", "20 F"}},
       {},
       "well.case:12: key 'wellhead_temperature': 20 °F is outside the fluid "
       "correlations' range 32 °F to 1000 °F"},
      {{{"liquid_rate", "0"}},
       {},
       "well.case:8: key 'liquid_rate': nothing flows: the oil, water and gas "
       "rates are all 0"},
      {{{"roughness", "2 in"}},
       {},
       "well.case:4: key 'roughness': roughness 2 in must be at least 0 and "
       "less than half the inside diameter"},
      {{{"pipe", "pipe.csv"}},
       {},
       "well.case:15: key 'pipe': give inside_diameter or pipe, not both "
       "(inside_diameter is on line 3)"},
      {{{"inside_diameter", ""}, {"pipe", "pipe.csv"}},
       {},
       "well.case:4: key 'roughness': the pipe table gives each section's "
       "roughness; drop this key or the pipe key"},
      {{{"step", "0 ft"}},
       {},
       "well.case:15: key 'step': the longest march step must be positive, "
       "got 0 ft"},
      {{{"step", "0.01 ft"}},
       {},
       "well.case:15: key 'step': 0.01 ft would take more than 100000 steps "
       "over the well's 6000 ft of md"},
      // No step key: the default step is blamed on the well it cannot march.
      {{},
       {{"survey.csv", "md,inclination\n0,0\n20000000,0\n"}},
       "well.case:2: key 'survey': the default longest step, 100 ft, would "
       "take more than 100000 steps over the well's 20000000 ft of md: give a "
       "longer one in 'step'"},
      // The separator correction takes the gas gravity out of range: the
      // separator is at fault, not the gas gravity the case gives.
      {{{"separator_pressure", "1e-3 psia"}},
       {},
       "well.case:15: key 'separator_pressure': a separator at 0.001 psia and "
       "60 °F corrects the gas gravity 0.75 out of the fluid correlations' "
       "range: vasquez_beggs_separator_gravity: gas gravity out of range: "
       "0.26542334938855627"},
      {{{"separator_temperature", "1000 F"},
        {"separator_pressure", "10000 psia"}},
       {},
       "well.case:16: key 'separator_pressure': a separator at 10000 psia and "
       "1000 °F corrects the gas gravity 0.75 out of the fluid correlations' "
       "range: vasquez_beggs_separator_gravity: gas gravity out of range: "
       "3.8474024898092809"},
      {{{"lift_glrs", "100, 200"}},
       {},
       "well.case:15: key 'lift_glrs': belongs to the lift curves, which need "
       "lift_rates"},
      {{{"lift_rates", "200, 100"}},
       {},
       "well.case:15: key 'lift_rates': value 2: the rates must increase from "
       "one to the next"},
      {{{"wellhead_pressure", ""},
        {"bottomhole_pressure", "2500"},
        {"lift_rates", "100"}},
       {},
       "well.case:16: key 'lift_rates': lift curves march down from a "
       "wellhead pressure: give wellhead_pressure or lift_wellhead_pressures"},
      {{{"lift_rates", "100"}, {"reservoir_pressure", "3000"}},
       {},
       "well.case:16: key 'reservoir_pressure': an inflow curve needs "
       "productivity_index or vogel_max_rate too"},
      {{{"temperature_model", "ramey"}, {"flow", "injector"}},
       {},
       "well.case:15: key 'temperature_model': ramey's flowing temperature is "
       "for producers (flow = producer)"},
      {{{"correlation", "BB_3, BB_3"}},
       {},
       "well.case:14: key 'correlation': names 'BB_3' twice"},
      {{{"survey", "missing.csv"}},
       {},
       "well.case:2: key 'survey': file 'missing.csv' does not exist"},
      {{},
       {{"survey.csv", "md,inclination,tvd\n0,90,0\n1000,90,0.5\n"}},
       "well.case:13: key 'bottomhole_temperature': the well descends only "
       "0.5 ft in TVD, too little for a temperature line in "
       "depth: give temperature_profile instead"},
      {{},
       {{"survey.csv", "md_furlong,inclination\n0,0\n100,0\n"}},
       "survey.csv:1: column 'md_furlong': unit 'furlong' is not a depth "
       "unit; use ft or m"},
      {{},
       {{"survey.csv", "md,inclination\n0,0\nabc,0\n"}},
       "survey.csv:3: column 'md': 'abc' is not a number"},
      {{},
       {{"survey.csv",
         "# two stations at one depth\nmd,inclination\n0,0\n"
         "1000,0\n1000,5\n"}},
       "survey.csv:5: survey station 3 (md 304.8 m): md must increase "
       "strictly down the survey; the station above is at md 304.8 m"},
      {use_pipe,
       {{"pipe.csv", "md_top,md_bottom,diameter,roughness\n0,5000,2.441,0\n"}},
       "pipe.csv: pipe: the sections cover md 0 to 1524 m, not the whole well "
       "from 0 to 1828.8 m"},
      {use_pipe,
       {{"pipe.csv",
         "md_top,md_bottom,diameter,roughness\n0,3000,2.441,0\n"
         "3100,6000,2.441,0\n"}},
       "pipe.csv:3: pipe section 2 (md 944.88 to 1828.8 m): it must start "
       "where the section above ends, at md 914.4 m (a gap)"},
      {{{"wellhead_temperature", ""},
        {"bottomhole_temperature", ""},
        {"temperature_profile", "temps.csv"}},
       {{"temps.csv", "md,temperature_C\n0,-5\n6000,90\n"}},
       "temps.csv:2: temperature 23 °F is outside the fluid correlations' "
       "range 32 °F to 1000 °F"},
  };
  for (const Bad& c : cases) {
    Files files = kFieldFiles;
    for (const auto& [name, text] : c.files) files[name] = text;
    try {
      (void)parse(case_text(c.changes), files);
      ADD_FAILURE() << "accepted: " << c.message;
    } catch (const Error& error) {
      EXPECT_EQ(error.what(), c.message);
    }
  }
  try {
    (void)parse(case_text({{"wellhead_presure", "150"}}));
    ADD_FAILURE() << "accepted a misspelt key";
  } catch (const Error& error) {
    EXPECT_THAT(error.what(),
                ::testing::StartsWith(
                    "well.case:15: unknown key 'wellhead_presure'; known "
                    "keys: units, title, survey, tvd_method, "));
  }
}

TEST(WellCase, TableColumnsCarryTheirOwnUnits) {
  struct Column {
    Files files;
    Changes changes;
    std::function<void(const WellCase&)> check;
  };
  const Changes use_pipe{
      {"inside_diameter", ""}, {"roughness", ""}, {"pipe", "pipe.csv"}};
  const Changes use_profile{{"wellhead_temperature", ""},
                            {"bottomhole_temperature", ""},
                            {"temperature_profile", "temps.csv"}};
  const std::vector<Column> columns{
      {{{"survey.csv", "inclination_deg,md_ft\n0,0\n0,2000\n30,4000\n"}},
       {},
       [](const WellCase& c) {
         expect_close(c.survey[2].md, 1219.2, "md_ft");
         EXPECT_FALSE(c.survey[2].azimuth);
       }},
      {{{"survey.csv", "md_m,inclination,tvd_m\n0,0,0\n600,0,600\n"}},
       {},
       [](const WellCase& c) { expect_close(*c.survey[1].tvd, 600, "tvd_m"); }},
      {{{"pipe.csv",
         "md_top_ft,md_bottom_m,diameter_mm,roughness_in\n"
         "0,2000,62.0014,0.0006\n"}},
       use_pipe,
       [](const WellCase& c) {
         const auto& s = c.pipe.sections()[0];
         expect_close(s.bottom_md, 2000, "md_bottom_m");
         expect_close(s.diameter, 0.0620014, "diameter_mm");
         expect_close(s.roughness, 1.524e-5, "roughness_in");
       }},
      {{{"temps.csv", "md,temperature_K\n0,300\n6000,360\n"}},
       use_profile,
       [](const WellCase& c) {
         expect_close(c.temperature.profile[1].temperature, 360, "K");
       }},
      {{{"temps.csv", "md,temperature_degC\n0,30\n6000,90\n"}},
       use_profile,
       [](const WellCase& c) {
         expect_close(c.temperature.profile[1].temperature, 363.15, "degC");
       }},
  };
  for (const Column& column : columns) {
    Files files = kFieldFiles;
    for (const auto& [name, text] : column.files) files[name] = text;
    SCOPED_TRACE(files.begin()->second);
    column.check(parse(case_text(column.changes), files));
  }
}

TEST(WellCase, BundledExamplesLoad) {
  const std::filesystem::path examples = EXAMPLES_DIR;
  const WellCase field = load_well_case(examples / "field_well.case");
  EXPECT_EQ(field.survey.size(), 140u);
  expect_close(field.survey.back().md, 3048.0, "10 000 ft");
  EXPECT_EQ(field.lift.liquid_rates.size(), 20u);
  EXPECT_EQ(field.lift.gas_liquid_ratios.size(), 5u);
  expect_close(field.rates.water / (field.rates.oil + field.rates.water), 0.5,
               "water cut");
  const double deepest = well_path(field).deepest_tvd();
  EXPECT_GT(deepest, 2400.0);  // well deviated: far less than its md
  EXPECT_LT(deepest, 2800.0);

  const WellCase takacs = load_well_case(examples / "takacs_well.case");
  expect_close(takacs.known_pressure, 346.6 * kPsi, "wellhead");
  expect_close(takacs.rates.oil, 375 * kBbl / kDay, "oil");
  EXPECT_EQ(takacs.rates.water, 0.0);
  expect_close(takacs.rates.gas, 375 * 480 * kScf / kDay, "gas");
  expect_close(*takacs.temperature.wellhead, kelvin(80.3), "wellhead T");
  expect_close(*takacs.temperature.bottom_hole, kelvin(107.2), "bottom T");
  expect_close(well_path(takacs).deepest_tvd(), 3700 * 0.3048, "depth");
}

TEST(WellCase, ReadsFilesBesideTheCaseAndTellsWellCasesApart) {
  pipecorr::testing::ScopedWorkDir dir;
  std::filesystem::create_directory("wells");
  pipecorr::testing::write_file("wells/survey.csv",
                                kFieldFiles.at("survey.csv"));
  pipecorr::testing::write_file("wells/well.case", case_text({}));
  EXPECT_EQ(load_well_case("wells/well.case").survey.size(), 4u);
  pipecorr::testing::write_file("wells/bad.case",
                                case_text({{"survey", "gone.csv"}}));
  try {
    (void)load_well_case("wells/bad.case");
    ADD_FAILURE() << "accepted a missing survey";
  } catch (const Error& error) {
    EXPECT_STREQ(error.what(),
                 "wells/bad.case:2: key 'survey': file 'wells/gone.csv' does "
                 "not exist");
  }
  EXPECT_TRUE(is_well_case("units = si\n  survey = s.csv  # stations\n"));
  EXPECT_FALSE(is_well_case("# survey = s.csv\nprofile = p.csv\n"));
  EXPECT_FALSE(is_well_case("title = survey\nsurveys = 3\n"));
}

}  // namespace
}  // namespace pipecorr::hostkit
