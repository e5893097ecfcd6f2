// Quantities with units against hand values. The factors below are typed
// from their definitions, not taken from the code: psi = 0.45359237 kg x
// 9.80665 m/s2 / (0.0254 m)2 = 6894.757293168361 Pa, barrel = 42 x 231 in3
// = 0.158987294928 m3, cubic foot = 0.3048 m cubed = 0.028316846592 m3
// (NIST Special Publication 811, 2008, appendix B).
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "fluids/domain.hpp"
#include "numbers/unit_factors.hpp"
#include "text/error.hpp"
#include "units/quantity.hpp"

namespace pipecorr::hostkit {
namespace {

constexpr double kPsi = 6894.757293168361;  // Pa
constexpr double kBbl = 0.158987294928;     // m3
constexpr double kScf = 0.028316846592;     // m3
constexpr double kDay = 86400.0;            // s

using D = Dimension;

struct Case {
  D dimension;
  const char* text;
  double si;
};

void expect_close(double got, double want, const std::string& what) {
  EXPECT_NEAR(got, want, 1e-12 * std::abs(want)) << what;
}

TEST(Quantity, EveryUnitAgainstAHandValue) {
  const std::vector<Case> cases{
      {D::kPressure, "1 psi", kPsi},
      {D::kPressure, "1 psia", kPsi},
      {D::kPressure, "2 PSIA", 2 * kPsi},
      {D::kPressure, "1 psi(a)", kPsi},
      {D::kPressure, "2 bar", 2e5},
      {D::kPressure, "2 bara", 2e5},
      {D::kPressure, "3 kPa", 3e3},
      {D::kPressure, "3 KPa", 3e3},
      {D::kPressure, "4 MPa", 4e6},
      {D::kPressure, "5 Pa", 5.0},
      {D::kPressure, "150psi", 150 * kPsi},
      {D::kTemperature, "32 F", 273.15},
      {D::kTemperature, "212 °F", 373.15},
      {D::kTemperature, "-40 degF", 233.15},
      {D::kTemperature, "50 deg F", 283.15},
      {D::kTemperature, "85ºF", 302.59444444444444},  // ordinal sign typed
      {D::kTemperature, "100 C", 373.15},
      {D::kTemperature, "0 °C", 273.15},
      {D::kTemperature, "25 degC", 298.15},
      {D::kTemperature, "300 K", 300.0},
      {D::kTemperature, "491.67 R", 273.15},
      {D::kTemperature, "671.67 °R", 373.15},
      {D::kDepth, "1000 ft", 304.8},
      {D::kDepth, "10 FT", 3.048},
      {D::kDepth, "1000 feet", 304.8},
      {D::kDepth, "100 m", 100.0},
      {D::kDiameter, "2.441 in", 0.0620014},
      {D::kDiameter, "2.441in", 0.0620014},
      {D::kDiameter, "2.441\"", 0.0620014},
      {D::kDiameter, "62 mm", 0.062},
      {D::kDiameter, "0.1 m", 0.1},
      {D::kRoughness, "0.5 ft", 0.1524},
      {D::kRoughness, "0.0006 inch", 1.524e-5},
      {D::kLiquidRate, "86400 STB/d", kBbl},
      {D::kLiquidRate, "86400 stb/day", kBbl},
      {D::kLiquidRate, "86400 bbl/d", kBbl},
      {D::kLiquidRate, "86400 BPD", kBbl},
      {D::kLiquidRate, "86400 sm3/d", 1.0},
      {D::kLiquidRate, "86400 m³/d", 1.0},
      {D::kLiquidRate, "2 m3/s", 2.0},
      {D::kGasRate, "86400 scf/d", kScf},
      {D::kGasRate, "86.4 Mscf/d", kScf},
      {D::kGasRate, "86.4 mscfd", kScf},
      {D::kGasRate, "0.0864 MMscf/d", kScf},
      {D::kGasRate, "0.0864 MMSCFD", kScf},
      {D::kGasRate, "86400 Sm3/d", 1.0},
      {D::kGasRate, "86400 m3/d", 1.0},
      {D::kGasRate, "3 m3/s", 3.0},
      {D::kGasLiquidRatio, "1 scf/STB", kScf / kBbl},
      {D::kGasLiquidRatio, "1 scf/bbl", kScf / kBbl},
      {D::kGasLiquidRatio, "3 sm3/sm3", 3.0},
      {D::kGasLiquidRatio, "3 m3/m3", 3.0},
      {D::kProductivityIndex, "1 STB/d/psi", kBbl / kDay / kPsi},
      {D::kProductivityIndex, "1 bbl/day/psi", kBbl / kDay / kPsi},
      {D::kProductivityIndex, "86400 m3/d/bar", 1e-5},
      {D::kProductivityIndex, "2 m3/s/Pa", 2.0},
      {D::kFraction, "55.6 %", 0.556},
      {D::kFraction, "55.6%", 0.556},
      {D::kFraction, "0.556", 0.556},
  };
  for (const Case& c : cases) {
    for (const UnitSystem system : {UnitSystem::kField, UnitSystem::kSi}) {
      expect_close(parse_quantity(c.text, c.dimension, system), c.si, c.text);
    }
  }
}

// A case's bounds are the fluid module's, so a value written at a bound
// must convert to the module's bound to the last bit, not one below it.
TEST(Quantity, BoundsMeetTheFluidModulesToTheBit) {
  namespace fu = pipecorr::units;
  namespace domain = fluids::domain;
  const auto f = UnitSystem::kField;
  EXPECT_EQ(parse_quantity("32 F", D::kTemperature, f),
            fu::fahrenheit_to_kelvin(domain::kMinTemperatureF));
  EXPECT_EQ(parse_quantity("1000", D::kTemperature, f),
            fu::fahrenheit_to_kelvin(domain::kMaxTemperatureF));
  EXPECT_EQ(parse_quantity("50000 psia", D::kPressure, f),
            fu::psia_to_pa(domain::kMaxPressurePsia));
  EXPECT_EQ(parse_quantity("1234.5 STB/d", D::kLiquidRate, f),
            fu::stb_per_day_to_m3_per_s(1234.5));
  EXPECT_EQ(parse_quantity("1234.5 scf/d", D::kGasRate, f),
            fu::scf_per_day_to_m3_per_s(1234.5));
}

TEST(Quantity, BareNumbersTakeTheSystemsUnit) {
  struct Bare {
    D dimension;
    double field;  // SI value of 10 field units
  };
  const std::vector<Bare> cases{
      {D::kPressure, 10 * kPsi},
      {D::kTemperature, (10 + 459.67) * 5 / 9},
      {D::kDepth, 3.048},
      {D::kDiameter, 0.254},
      {D::kRoughness, 0.254},
      {D::kLiquidRate, 10 * kBbl / kDay},
      {D::kGasRate, 10 * kScf / kDay},
      {D::kGasLiquidRatio, 10 * kScf / kBbl},
      {D::kProductivityIndex, 10 * kBbl / kDay / kPsi},
      {D::kFraction, 10.0},
  };
  for (const Bare& c : cases) {
    const std::string name(dimension_name(c.dimension));
    expect_close(parse_quantity("10", c.dimension, UnitSystem::kField), c.field,
                 name);
    expect_close(parse_quantity(" 10 ", c.dimension, UnitSystem::kSi), 10.0,
                 name);
    // Field reports show a value as the system writes it bare; SI ones
    // may not (bar, Sm³/d). Either way a CSV header written with its
    // column suffix reads back the unit shown.
    for (const UnitSystem system : {UnitSystem::kField, UnitSystem::kSi}) {
      const double si = parse_quantity("10", c.dimension, system);
      const double shown = to_display(si, c.dimension, system);
      if (system == UnitSystem::kField) expect_close(shown, 10.0, name);
      expect_close(from_display(shown, c.dimension, system), si, name);
      std::string column(display_unit(c.dimension, system).column);
      for (auto at = column.find("_per_"); at != std::string::npos;
           at = column.find("_per_")) {
        column.replace(at, 5, "/");
      }
      if (column.empty()) continue;
      expect_close(parse_unit(column, c.dimension).to_si(shown), si, column);
    }
  }
  EXPECT_EQ(display_unit(D::kTemperature, UnitSystem::kField).text, "°F");
  EXPECT_EQ(display_unit(D::kLiquidRate, UnitSystem::kField).column,
            "STB_per_d");
}

// SI reports show pressure in bar and standard volumes per day, though a
// bare SI number in a case stays Pa and m³/s.
TEST(Quantity, SiReportsShowBarAndStandardCubicMetresPerDay) {
  struct Shown {
    D dimension;
    double si;
    const char* text;
    double value;
  };
  const std::vector<Shown> cases{
      {D::kPressure, 2.5e5, "bar", 2.5},
      {D::kLiquidRate, 1.0 / kDay, "Sm\u00b3/d", 1.0},
      {D::kGasRate, 0.5, "Sm\u00b3/d", 43200.0},
      {D::kGasLiquidRatio, 100.0, "Sm\u00b3/Sm\u00b3", 100.0},
      {D::kProductivityIndex, 1.0 / kDay / 1e5, "Sm\u00b3/d/bar", 1.0},
      {D::kTemperature, 300.0, "K", 300.0},
  };
  for (const Shown& c : cases) {
    EXPECT_EQ(display_unit(c.dimension, UnitSystem::kSi).text, c.text);
    expect_close(to_display(c.si, c.dimension, UnitSystem::kSi), c.value,
                 c.text);
  }
}

TEST(Quantity, BadValuesAndUnitsAreNamed) {
  struct Bad {
    D dimension;
    const char* text;
    const char* message;
  };
  const std::vector<Bad> cases{
      {D::kPressure, "150 psig",
       "unit 'psig' is a gauge pressure, which only the atmosphere's pressure "
       "makes absolute: give absolute pressure (psia, bara)"},
      {D::kPressure, "10 BARG",
       "unit 'BARG' is a gauge pressure, which only the atmosphere's pressure "
       "makes absolute: give absolute pressure (psia, bara)"},
      {D::kPressure, "3 mPa",
       "unit 'mPa' is not a pressure unit; use psi, psia, bar, bara, kPa, MPa "
       "or Pa"},
      {D::kTemperature, "300 k",
       "unit 'k' is not a temperature unit; use F, degF, C, degC, K or R"},
      {D::kDepth, "100 M", "unit 'M' is not a depth unit; use ft or m"},
      {D::kDiameter, "6 cm",
       "unit 'cm' is not a diameter unit; use in, mm, m or ft"},
      {D::kLiquidRate, "100 scf/d",
       "unit 'scf/d' is not a liquid rate unit; use STB/d, bbl/d, m3/d, "
       "sm3/d or m3/s"},
      {D::kGasRate, "100 STB/d",
       "unit 'STB/d' is not a gas rate unit; use scf/d, Mscf/d, MMscf/d, "
       "sm3/d, m3/d or m3/s"},
      {D::kGasLiquidRatio, "500 scf",
       "unit 'scf' is not a gas-liquid or gas-oil ratio unit; use scf/STB, "
       "scf/bbl, Mscf/STB, sm3/sm3 or m3/m3"},
      {D::kProductivityIndex, "2 STB/d",
       "unit 'STB/d' is not a productivity index unit; use STB/d/psi, "
       "m3/d/bar or m3/s/Pa"},
      {D::kFraction, "5 ppm",
       "unit 'ppm' is not a fraction unit; use a plain number or %"},
      {D::kPressure, "abc psi", "'abc' is not a number"},
      {D::kPressure, "0x10", "'0x10' is not a number"},
      {D::kPressure, "1,000 psi", "'1,000' is not a number"},
      {D::kDiameter, "1.5.3in", "'1.5.3in' is not a number"},
      {D::kPressure, "nan psi", "'nan' is not a finite number"},
      {D::kPressure, "1e999psi",
       "'1e999' is beyond the range of a double (about 1e-308 to 1e308)"},
      {D::kPressure, "  ", "no value given"},
      {D::kPressure, "1e308 psi",
       "'1e308 psi' is beyond the range of a double in SI units"},
  };
  for (const Bad& c : cases) {
    try {
      (void)parse_quantity(c.text, c.dimension, UnitSystem::kField);
      ADD_FAILURE() << "accepted '" << c.text << "'";
    } catch (const Error& error) {
      EXPECT_STREQ(error.what(), c.message) << c.text;
    }
  }
}

TEST(Quantity, ListsTakeOneTrailingUnitOrOneUnitEach) {
  const auto f = UnitSystem::kField;
  const auto list =
      parse_quantity_list("86400, 172800 ,345600 STB/d", D::kLiquidRate, f);
  ASSERT_EQ(list.size(), 3u);
  expect_close(list[2], 4 * kBbl, "trailing unit");
  const auto own =
      parse_quantity_list("86400 m3/d, 86400 STB/d", D::kLiquidRate, f);
  expect_close(own[0], 1.0, "own unit");
  expect_close(own[1], kBbl, "own unit");
  expect_close(parse_quantity_list("86400", D::kLiquidRate, f)[0], kBbl,
               "bare");
  const std::vector<std::pair<const char*, const char*>> bad{
      {"1, 2 m3/d, 3",
       "some values have a unit and some not: give one unit after the last "
       "value, or a unit with every value"},
      {"1,,2", "value 2: no value given"},
      {"1, 2 scf/d",
       "value 2: unit 'scf/d' is not a liquid rate unit; use "
       "STB/d, bbl/d, m3/d, sm3/d or m3/s"},
      {"1, x", "value 2: 'x' is not a number"},
  };
  for (const auto& [text, message] : bad) {
    try {
      (void)parse_quantity_list(text, D::kLiquidRate, f);
      ADD_FAILURE() << "accepted '" << text << "'";
    } catch (const Error& error) {
      EXPECT_STREQ(error.what(), message) << text;
    }
  }
}

}  // namespace
}  // namespace pipecorr::hostkit
