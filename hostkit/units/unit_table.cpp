#include "units/unit_table.hpp"

#include <array>

#include "numbers/unit_factors.hpp"

namespace pipecorr::hostkit::unit_table {
namespace {

namespace fu = pipecorr::units;

constexpr double kDay = fu::kSecondsPerDay;

// Pressure, Pa.
constexpr Unit kPsi{"psia", fu::kPascalsPerPsi};
constexpr Unit kBar{"bara", fu::kPascalsPerBar};
constexpr Unit kKiloPascal{"kPa", 1e3};
constexpr Unit kMegaPascal{"MPa", 1e6};
constexpr Unit kPascal{"Pa", 1.0};
constexpr std::array kPressure{
    Spelling{"psi", kPsi, true},         Spelling{"psia", kPsi, true},
    Spelling{"psi(a)", kPsi, true},      Spelling{"bar", kBar, true},
    Spelling{"bara", kBar, true},        Spelling{"bar(a)", kBar, true},
    Spelling{"kPa", kKiloPascal, true},  Spelling{"MPa", kMegaPascal, false},
    Spelling{"MPA", kMegaPascal, false}, Spelling{"Pa", kPascal, true},
};
constexpr std::array<std::string_view, 8> kGauge{
    "psig", "psi(g)", "barg", "bar(g)", "kPag", "kPa(g)", "MPag", "MPa(g)"};

// Temperature, K: as fluids/units.hpp, °F + 459.67 is °R, and K is
// °R / 1.8.
constexpr double kRankinePerKelvin = fu::kelvin_to_rankine(1.0);
constexpr Unit kFahrenheit{"°F", 1.0, fu::fahrenheit_to_rankine(0.0),
                           kRankinePerKelvin};
constexpr Unit kCelsius{"°C", 1.0, 273.15};
constexpr Unit kKelvin{"K", 1.0};
constexpr Unit kRankine{"°R", 1.0, 0.0, kRankinePerKelvin};
constexpr std::array kTemperature{
    Spelling{"F", kFahrenheit, true},    Spelling{"°F", kFahrenheit, true},
    Spelling{"degF", kFahrenheit, true}, Spelling{"℉", kFahrenheit, false},
    Spelling{"C", kCelsius, true},       Spelling{"°C", kCelsius, true},
    Spelling{"degC", kCelsius, true},    Spelling{"℃", kCelsius, false},
    Spelling{"K", kKelvin, false},       Spelling{"R", kRankine, false},
    Spelling{"°R", kRankine, true},      Spelling{"degR", kRankine, true},
};

// Lengths, m.
constexpr Unit kFoot{"ft", fu::kMetresPerFoot};
constexpr Unit kInch{"in", fu::kMetresPerInch};
constexpr Unit kMetre{"m", 1.0};
constexpr Unit kMillimetre{"mm", 1e-3};
constexpr std::array kDepth{
    Spelling{"ft", kFoot, true},
    Spelling{"feet", kFoot, true},
    Spelling{"m", kMetre, false},
};
constexpr std::array kPipeLength{
    Spelling{"in", kInch, true},        Spelling{"inch", kInch, true},
    Spelling{"inches", kInch, true},    Spelling{"\"", kInch, false},
    Spelling{"mm", kMillimetre, false}, Spelling{"m", kMetre, false},
    Spelling{"ft", kFoot, true},
};

// Standard volume rates, m3/s.
constexpr Unit kStbPerDay{"STB/d", fu::kCubicMetresPerBarrel, 0.0, kDay};
constexpr Unit kM3PerDay{"m3/d", 1.0, 0.0, kDay};
constexpr Unit kM3PerSecond{"m3/s", 1.0};
constexpr std::array kLiquidRate{
    Spelling{"STB/d", kStbPerDay, true},  Spelling{"bbl/d", kStbPerDay, true},
    Spelling{"BPD", kStbPerDay, true},    Spelling{"BLPD", kStbPerDay, true},
    Spelling{"BOPD", kStbPerDay, true},   Spelling{"BWPD", kStbPerDay, true},
    Spelling{"sm3/d", kM3PerDay, true},   Spelling{"m3/d", kM3PerDay, true},
    Spelling{"m3/s", kM3PerSecond, true}, Spelling{"sm3/s", kM3PerSecond, true},
};
constexpr Unit kScfPerDay{"scf/d", fu::kCubicMetresPerCubicFoot, 0.0, kDay};
constexpr Unit kMscfPerDay{"Mscf/d", 1e3 * fu::kCubicMetresPerCubicFoot, 0.0,
                           kDay};
constexpr Unit kMMscfPerDay{"MMscf/d", 1e6 * fu::kCubicMetresPerCubicFoot, 0.0,
                            kDay};
// In oilfield usage M is a thousand and MM a million, whatever the case
// ("mscf/d", "MMSCFD"); no one means milli- here.
constexpr std::array kGasRate{
    Spelling{"scf/d", kScfPerDay, true},
    Spelling{"scfd", kScfPerDay, true},
    Spelling{"Mscf/d", kMscfPerDay, true},
    Spelling{"Mscfd", kMscfPerDay, true},
    Spelling{"Mcf/d", kMscfPerDay, true},
    Spelling{"Mcfd", kMscfPerDay, true},
    Spelling{"MMscf/d", kMMscfPerDay, true},
    Spelling{"MMscfd", kMMscfPerDay, true},
    Spelling{"MMcf/d", kMMscfPerDay, true},
    Spelling{"MMcfd", kMMscfPerDay, true},
    Spelling{"sm3/d", kM3PerDay, true},
    Spelling{"m3/d", kM3PerDay, true},
    Spelling{"m3/s", kM3PerSecond, true},
    Spelling{"sm3/s", kM3PerSecond, true},
};

// Standard gas volume per standard liquid volume.
constexpr Unit kScfPerStb{"scf/STB", 1.0, 0.0, fu::kCubicFeetPerBarrel};
constexpr Unit kM3PerM3{"m3/m3", 1.0};
constexpr std::array kGasLiquidRatio{
    Spelling{"scf/STB", kScfPerStb, true},
    Spelling{"scf/bbl", kScfPerStb, true},
    Spelling{"Mscf/STB", Unit{"Mscf/STB", 1e3, 0.0, fu::kCubicFeetPerBarrel},
             true},
    Spelling{"sm3/sm3", kM3PerM3, true},
    Spelling{"m3/m3", kM3PerM3, true},
};

// Standard liquid volume per standard gas volume (water-gas and oil-gas
// ratios of gas wells).
constexpr Unit kStbPerMMscf{"STB/MMscf", fu::kCubicFeetPerBarrel, 0.0, 1e6};
constexpr std::array kLiquidGasRatio{
    Spelling{"STB/MMscf", kStbPerMMscf, true},
    Spelling{"STB/Mscf", Unit{"STB/Mscf", fu::kCubicFeetPerBarrel, 0.0, 1e3},
             true},
    Spelling{"sm3/sm3", kM3PerM3, true},
    Spelling{"m3/m3", kM3PerM3, true},
};

// Liquid rate per pressure drawdown, m3/s per Pa.
constexpr double kDayPsi = kDay * fu::kPascalsPerPsi;
constexpr double kDayBar = kDay * fu::kPascalsPerBar;
constexpr Unit kStbPerDayPerPsi{"STB/d/psi", fu::kCubicMetresPerBarrel, 0.0,
                                kDayPsi};
constexpr Unit kM3PerDayPerBar{"m3/d/bar", 1.0, 0.0, kDayBar};
constexpr Unit kM3PerSecondPerPascal{"m3/s/Pa", 1.0};
constexpr std::array kProductivityIndex{
    Spelling{"STB/d/psi", kStbPerDayPerPsi, true},
    Spelling{"bbl/d/psi", kStbPerDayPerPsi, true},
    Spelling{"BPD/psi", kStbPerDayPerPsi, true},
    Spelling{"m3/d/bar", kM3PerDayPerBar, true},
    Spelling{"sm3/d/bar", kM3PerDayPerBar, true},
    Spelling{"m3/s/Pa", kM3PerSecondPerPascal, true},
};

// How SI reports show what they do not read as a bare number: pressure in
// bar, standard volumes per day marked as standard.
constexpr Unit kBarShown{"bar", fu::kPascalsPerBar};
constexpr Unit kSm3PerDay{"Sm\u00b3/d", 1.0, 0.0, kDay};
constexpr Unit kSm3PerSm3{"Sm\u00b3/Sm\u00b3", 1.0};
constexpr Unit kSm3PerDayPerBar{"Sm\u00b3/d/bar", 1.0, 0.0, kDayBar};

constexpr Unit kPlain{"", 1.0};
constexpr std::array kFraction{Spelling{"%", Unit{"%", 0.01}, false}};

}  // namespace

std::span<const Spelling> spellings(Dimension dimension) {
  switch (dimension) {
    case Dimension::kPressure:
      return kPressure;
    case Dimension::kTemperature:
      return kTemperature;
    case Dimension::kDepth:
      return kDepth;
    case Dimension::kDiameter:
    case Dimension::kRoughness:
      return kPipeLength;
    case Dimension::kLiquidRate:
      return kLiquidRate;
    case Dimension::kGasRate:
      return kGasRate;
    case Dimension::kGasLiquidRatio:
      return kGasLiquidRatio;
    case Dimension::kProductivityIndex:
      return kProductivityIndex;
    case Dimension::kLiquidGasRatio:
      return kLiquidGasRatio;
    case Dimension::kFraction:
      break;
  }
  return kFraction;
}

std::span<const std::string_view> gauge_spellings() { return kGauge; }

std::string_view choices(Dimension dimension) {
  switch (dimension) {
    case Dimension::kPressure:
      return "psi, psia, bar, bara, kPa, MPa or Pa";
    case Dimension::kTemperature:
      return "F, degF, C, degC, K or R";
    case Dimension::kDepth:
      return "ft or m";
    case Dimension::kDiameter:
    case Dimension::kRoughness:
      return "in, mm, m or ft";
    case Dimension::kLiquidRate:
      return "STB/d, bbl/d, m3/d, sm3/d or m3/s";
    case Dimension::kGasRate:
      return "scf/d, Mscf/d, MMscf/d, sm3/d, m3/d or m3/s";
    case Dimension::kGasLiquidRatio:
      return "scf/STB, scf/bbl, Mscf/STB, sm3/sm3 or m3/m3";
    case Dimension::kLiquidGasRatio:
      return "STB/MMscf, STB/Mscf, sm3/sm3 or m3/m3";
    case Dimension::kProductivityIndex:
      return "STB/d/psi, m3/d/bar or m3/s/Pa";
    case Dimension::kFraction:
      break;
  }
  return "a plain number or %";
}

SystemUnit system_unit(Dimension dimension, UnitSystem system) {
  const bool field = system == UnitSystem::kField;
  switch (dimension) {
    case Dimension::kPressure:
      return field ? SystemUnit{kPsi, "psia"} : SystemUnit{kPascal, "Pa"};
    case Dimension::kTemperature:
      return field ? SystemUnit{kFahrenheit, "F"} : SystemUnit{kKelvin, "K"};
    case Dimension::kDepth:
      return field ? SystemUnit{kFoot, "ft"} : SystemUnit{kMetre, "m"};
    case Dimension::kDiameter:
    case Dimension::kRoughness:
      return field ? SystemUnit{kInch, "in"} : SystemUnit{kMetre, "m"};
    case Dimension::kLiquidRate:
      return field ? SystemUnit{kStbPerDay, "STB_per_d"}
                   : SystemUnit{kM3PerSecond, "m3_per_s"};
    case Dimension::kGasRate:
      return field ? SystemUnit{kScfPerDay, "scf_per_d"}
                   : SystemUnit{kM3PerSecond, "m3_per_s"};
    case Dimension::kGasLiquidRatio:
      return field ? SystemUnit{kScfPerStb, "scf_per_STB"}
                   : SystemUnit{kM3PerM3, "m3_per_m3"};
    case Dimension::kProductivityIndex:
      return field ? SystemUnit{kStbPerDayPerPsi, "STB_per_d_per_psi"}
                   : SystemUnit{kM3PerSecondPerPascal, "m3_per_s_per_Pa"};
    case Dimension::kLiquidGasRatio:
      return field ? SystemUnit{kStbPerMMscf, "STB_per_MMscf"}
                   : SystemUnit{kM3PerM3, "m3_per_m3"};
    case Dimension::kFraction:
      break;
  }
  return {kPlain, ""};
}

SystemUnit shown_unit(Dimension dimension, UnitSystem system) {
  if (system == UnitSystem::kField) {
    return unit_table::system_unit(dimension, system);
  }
  switch (dimension) {
    case Dimension::kPressure:
      return {kBarShown, "bar"};
    case Dimension::kLiquidRate:
    case Dimension::kGasRate:
      return {kSm3PerDay, "Sm3_per_d"};
    case Dimension::kGasLiquidRatio:
    case Dimension::kLiquidGasRatio:
      return {kSm3PerSm3, "Sm3_per_Sm3"};
    case Dimension::kProductivityIndex:
      return {kSm3PerDayPerBar, "Sm3_per_d_per_bar"};
    default:
      return unit_table::system_unit(dimension, system);
  }
}

}  // namespace pipecorr::hostkit::unit_table
