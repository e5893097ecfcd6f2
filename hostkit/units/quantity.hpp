// Quantities as engineers write them: a number with its unit ("150 psi",
// "2.441 in", "85 F", "400 STB/d"), or a bare number that takes the unit the
// case's unit system gives that kind of quantity. Inside, everything is SI.
//
// Numbers follow the one decimal rule of text/number_text.hpp. A unit may
// follow the number with or without blanks ("2.441in"); blanks inside a
// unit are ignored ("STB / d"), "³" reads as "3" and "/day" as "/d".
// Spellings are matched exactly first, then ignoring case where case
// cannot change the meaning (psi, ft, STB/d, Mscf/d); where it can (m and
// M, MPa and mPa, K and k) only the listed spelling is read.
//
// Rates and ratios are volumes at standard conditions (60 °F, 14.696 psia,
// fluids/standard_conditions.hpp) whatever the spelling: "m3/d" of oil is
// stock-tank m³ per day, like "sm3/d". Pressures are absolute: "psi" and
// "bar" read as psia and bara; gauge units are refused, since turning them
// into absolute pressure needs the atmosphere's pressure, which a case
// does not know.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace pipecorr::hostkit {

enum class UnitSystem {
  kField,  // psia, °F, ft, in, STB/d, scf/STB
  kSi,     // Pa, K, m, m, m3/s at standard conditions, m3/m3
};

// What a value measures; each has an SI unit and a unit per system.
enum class Dimension {
  kPressure,           // Pa            | field psia        | si Pa
  kTemperature,        // K             | field °F          | si K
  kDepth,              // m (md, tvd)   | field ft          | si m
  kDiameter,           // m             | field in          | si m
  kRoughness,          // m             | field in          | si m
  kLiquidRate,         // std m3/s      | field STB/d       | si m3/s
  kGasRate,            // std m3/s      | field scf/d       | si m3/s
  kGasLiquidRatio,     // std m3/m3     | field scf/STB     | si m3/m3
  kProductivityIndex,  // m3/s/Pa       | field STB/d/psi   | si m3/s/Pa
  kLiquidGasRatio,     // std m3/m3     | field STB/MMscf   | si m3/m3
  kFraction,           // 1             | both: plain number
};

// "pressure", "liquid rate", ...: for messages.
[[nodiscard]] std::string_view dimension_name(Dimension dimension);

// One unit of a dimension: si = (value + shift) * factor / divisor. The
// shift is non-zero only for °F and °C (scales with another zero); the
// divisor keeps a conversion the same operations as the fluid module's
// (°F to K divides by 1.8, a daily rate by 86400), so a bound given in
// the case's units meets the module's bound exactly.
struct Unit {
  std::string_view text;  // its usual spelling, "psia", "°F", "STB/d"
  double factor = 1.0;
  double shift = 0.0;
  double divisor = 1.0;

  [[nodiscard]] constexpr double to_si(double value) const {
    return (value + shift) * factor / divisor;
  }
  [[nodiscard]] constexpr double from_si(double si) const {
    return si * divisor / factor - shift;
  }
};

// The unit a spelling names for the dimension ("psi", "degF", "MMscf/d").
// Throws Error "unit 'x' is not a pressure unit; use psi, psia, bar, bara,
// kPa, MPa or Pa", or for gauge pressures (psig, barg, kPag) "... give
// absolute pressure (psia, bara)". A fraction has no unit but "%".
[[nodiscard]] Unit parse_unit(std::string_view text, Dimension dimension);

// The unit a bare number has in the system.
[[nodiscard]] Unit system_unit(Dimension dimension, UnitSystem system);

// A value as written, split into its number and its unit text (empty when
// bare). Throws Error when no number leads the text: "'abc' is not a
// number", "'1e999' is beyond the range of a double ...".
struct QuantityText {
  std::string_view number;
  std::string_view unit;
};
[[nodiscard]] QuantityText split_quantity(std::string_view text);

// Parses "number [unit]" to SI. A unit must be one known for the dimension
// (its spellings are listed in the message otherwise); without one, the
// system's unit applies. Throws Error ("'x' is not a number", "unit 'x' is
// not a pressure unit; use ...", a value beyond a double once converted)
// without naming the file or key: the caller adds those.
[[nodiscard]] double parse_quantity(std::string_view text, Dimension dimension,
                                    UnitSystem system);

// A comma-separated list, "100, 200, 400 STB/d": either a unit after the
// last number only (it applies to all), a unit with every number, or no
// unit at all (the system's). Throws Error naming the 1-based position of
// a bad item ("value 2: 'x' is not a number"), an empty item, or a list
// mixing the two ways of giving units.
[[nodiscard]] std::vector<double> parse_quantity_list(std::string_view text,
                                                      Dimension dimension,
                                                      UnitSystem system);

// How a system shows a dimension: "psia", "°F", "ft", ... for text, and
// the same as a CSV header suffix ("psia", "F", "ft", "STB_per_d"), which
// parse_unit reads back once "_per_" is written "/". SI shows pressure in
// bar and rates in Sm³/d, though a bare SI number means Pa and m³/s.
struct DisplayUnit {
  std::string_view text;
  std::string_view column;
};
[[nodiscard]] DisplayUnit display_unit(Dimension dimension, UnitSystem system);

// An SI value in the system's display unit, and back.
[[nodiscard]] double to_display(double si, Dimension dimension,
                                UnitSystem system);
[[nodiscard]] double from_display(double shown, Dimension dimension,
                                  UnitSystem system);

}  // namespace pipecorr::hostkit
