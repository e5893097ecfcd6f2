// Quantities as engineers write them: a number with its unit ("150 psi",
// "2.441 in", "85 F", "400 STB/d"), or a bare number that takes the unit the
// case's unit system gives that kind of quantity. Inside, everything is SI.
#pragma once

#include <string>
#include <string_view>

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
  kFraction,           // 1             | both: plain number
};

// Parses "number [unit]". A unit must be one known for the dimension (its
// spelling is listed in the message otherwise); without one, the system's
// unit applies. Throws Error ("... is not a number", "unit 'x' is not a
// pressure unit; use psi, psia, bar, kPa, MPa or Pa") without naming the
// file or key: the caller adds those.
[[nodiscard]] double parse_quantity(std::string_view text, Dimension dimension,
                                    UnitSystem system);

// How a system shows a dimension: "psia", "°F", "ft", ... for text, and
// the same as a CSV header suffix ("psia", "F", "ft", "STB_per_d").
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
