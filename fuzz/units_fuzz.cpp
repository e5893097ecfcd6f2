// The unit reader: a value as a case writes it ("150 psi", "2.441in",
// "100, 200, 400 STB/d") read as one kind of quantity, alone and as a
// list, and its unit text alone.
//
// Input: one byte that picks the kind and the unit system, then the
// value's text. The byte's low four bits (modulo 10) pick the kind in the
// order of units/quantity.hpp (pressure, temperature, depth, diameter,
// roughness, liquid rate, gas rate, gas-liquid ratio, productivity index,
// fraction); its bit 0x10 picks SI. So "@150 psi" is a field pressure,
// "0150" a pressure in SI, "C2.441in" a field diameter. (One kind per
// input keeps each run to a few refusals, which cost far more than reads.)
//
// A value that reads is finite in SI; a unit that reads converts with a
// positive finite factor and divisor.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "support/framed_files.hpp"
#include "support/report_checks.hpp"
#include "text/error.hpp"
#include "units/quantity.hpp"

namespace {

using namespace pipecorr;
using hostkit::Dimension;
using hostkit::Error;
using hostkit::UnitSystem;

constexpr Dimension kDimensions[] = {Dimension::kPressure,
                                     Dimension::kTemperature,
                                     Dimension::kDepth,
                                     Dimension::kDiameter,
                                     Dimension::kRoughness,
                                     Dimension::kLiquidRate,
                                     Dimension::kGasRate,
                                     Dimension::kGasLiquidRatio,
                                     Dimension::kProductivityIndex,
                                     Dimension::kFraction};

constexpr std::string_view kWhat = "unit reader";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  if (size == 0) return 0;
  const Dimension dimension = kDimensions[(data[0] & 0x0F) % 10];
  const UnitSystem system =
      (data[0] & 0x10) != 0 ? UnitSystem::kSi : UnitSystem::kField;
  const std::string_view text = fuzz::as_text(data + 1, size - 1);

  try {
    const hostkit::QuantityText parts = hostkit::split_quantity(text);
    fuzz::require(!parts.number.empty(), kWhat, "a number leads a value");
    const hostkit::Unit unit = hostkit::parse_unit(parts.unit, dimension);
    fuzz::require(std::isfinite(unit.factor) && unit.factor > 0.0 &&
                      std::isfinite(unit.divisor) && unit.divisor > 0.0,
                  kWhat, "a unit with a positive factor");
  } catch (const Error&) {
  }
  try {
    const double si = hostkit::parse_quantity(text, dimension, system);
    fuzz::require(std::isfinite(si), kWhat, "finite SI values");
  } catch (const Error&) {
  }
  try {
    for (const double si :
         hostkit::parse_quantity_list(text, dimension, system)) {
      fuzz::require(std::isfinite(si), kWhat, "finite SI list values");
    }
  } catch (const Error&) {
  }
  return 0;
}
