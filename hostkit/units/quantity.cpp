#include "units/quantity.hpp"

#include <cmath>

#include "numbers/number_text.hpp"
#include "text/error.hpp"
#include "units/unit_table.hpp"

namespace pipecorr::hostkit {
namespace {

char lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equal_any_case(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// The unit as the tables spell it: no blanks ("STB / d", "deg F"), "³" as
// 3, the masculine ordinal people type for a degree sign as one, and
// "/day" as "/d".
std::string normalise(std::string_view unit) {
  std::string out;
  for (std::size_t i = 0; i < unit.size(); ++i) {
    const char c = unit[i];
    if (c == ' ' || c == '\t') continue;
    if (c == '\xC2' && i + 1 < unit.size()) {
      if (unit[i + 1] == '\xB3') {
        out += '3';
        ++i;
        continue;
      }
      if (unit[i + 1] == '\xBA') {
        out += "\xC2\xB0";
        ++i;
        continue;
      }
    }
    out += c;
  }
  for (std::size_t at = 0; at + 4 <= out.size(); ++at) {
    const bool ends = at + 4 == out.size() || out[at + 4] == '/';
    if (ends && equal_any_case(std::string_view(out).substr(at, 4), "/day")) {
      out.replace(at, 4, "/d");
    }
  }
  return out;
}

// Length of the decimal number at the start of `text`: sign, digits, a
// point and digits, an exponent only when digits follow it.
std::size_t number_prefix_length(std::string_view text) {
  std::size_t at = 0;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
  std::size_t digits = 0;
  while (at < text.size() && is_digit(text[at])) ++at, ++digits;
  if (at < text.size() && text[at] == '.') {
    ++at;
    while (at < text.size() && is_digit(text[at])) ++at, ++digits;
  }
  if (digits == 0) return 0;
  if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
    std::size_t exponent = at + 1;
    if (exponent < text.size() &&
        (text[exponent] == '+' || text[exponent] == '-')) {
      ++exponent;
    }
    if (exponent < text.size() && is_digit(text[exponent])) {
      while (exponent < text.size() && is_digit(text[exponent])) ++exponent;
      at = exponent;
    }
  }
  return at;
}

// Whether text glued to a number can be a unit ("2.441in", "85°F", "50%")
// rather than the rest of a malformed number ("1,000", "1.5.3", "0x10").
bool starts_unit(std::string_view text) {
  if (text.empty()) return false;
  const char c = text.front();
  if (c == 'x' || c == 'X') return false;
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '%' ||
         c == '"' || static_cast<unsigned char>(c) >= 0x80;
}

[[noreturn]] void fail_number(std::string_view text, NumberProblem problem) {
  throw Error("'" + std::string(text) + "' " + std::string(describe(problem)));
}

}  // namespace

std::string_view dimension_name(Dimension dimension) {
  switch (dimension) {
    case Dimension::kPressure:
      return "pressure";
    case Dimension::kTemperature:
      return "temperature";
    case Dimension::kDepth:
      return "depth";
    case Dimension::kDiameter:
      return "diameter";
    case Dimension::kRoughness:
      return "roughness";
    case Dimension::kLiquidRate:
      return "liquid rate";
    case Dimension::kGasRate:
      return "gas rate";
    case Dimension::kGasLiquidRatio:
      return "gas-liquid or gas-oil ratio";
    case Dimension::kProductivityIndex:
      return "productivity index";
    case Dimension::kLiquidGasRatio:
      return "liquid-gas ratio";
    case Dimension::kFraction:
      break;
  }
  return "fraction";
}

Unit parse_unit(std::string_view text, Dimension dimension) {
  text = trim_blanks(text);
  if (text.empty()) {
    if (dimension == Dimension::kFraction) {
      return system_unit(dimension, UnitSystem::kSi);
    }
    throw Error("no unit given; use " +
                std::string(unit_table::choices(dimension)));
  }
  const std::string spelled = normalise(text);
  const auto table = unit_table::spellings(dimension);
  for (const auto& spelling : table) {
    if (spelling.text == spelled) return spelling.unit;
  }
  for (const auto& spelling : table) {
    if (spelling.any_case && equal_any_case(spelling.text, spelled)) {
      return spelling.unit;
    }
  }
  if (dimension == Dimension::kPressure) {
    for (const auto gauge : unit_table::gauge_spellings()) {
      if (equal_any_case(gauge, spelled)) {
        throw Error("unit '" + std::string(text) +
                    "' is a gauge pressure, which only the atmosphere's "
                    "pressure makes absolute: give absolute pressure "
                    "(psia, bara)");
      }
    }
  }
  throw Error("unit '" + std::string(text) + "' is not a " +
              std::string(dimension_name(dimension)) + " unit; use " +
              std::string(unit_table::choices(dimension)));
}

Unit system_unit(Dimension dimension, UnitSystem system) {
  return unit_table::system_unit(dimension, system).unit;
}

QuantityText split_quantity(std::string_view text) {
  text = trim_blanks(text);
  if (text.empty()) throw Error("no value given");
  const auto blank = text.find_first_of(" \t");
  const auto token = text.substr(0, blank);
  const auto rest = blank == std::string_view::npos
                        ? std::string_view{}
                        : trim_blanks(text.substr(blank));
  double value = 0.0;
  const NumberProblem problem = parse_number(token, value);
  if (problem == NumberProblem::kNone) return {token, rest};
  if (rest.empty()) {
    const std::size_t length = number_prefix_length(token);
    const auto unit = token.substr(length);
    if (length > 0 && starts_unit(unit)) {
      const auto number = token.substr(0, length);
      const NumberProblem leading = parse_number(number, value);
      if (leading != NumberProblem::kNone) fail_number(number, leading);
      return {number, unit};
    }
  }
  fail_number(token, problem);
}

double parse_quantity(std::string_view text, Dimension dimension,
                      UnitSystem system) {
  const QuantityText parts = split_quantity(text);
  double value = 0.0;
  const NumberProblem problem = parse_number(parts.number, value);
  if (problem != NumberProblem::kNone) fail_number(parts.number, problem);
  const Unit unit = parts.unit.empty() ? system_unit(dimension, system)
                                       : parse_unit(parts.unit, dimension);
  const double si = unit.to_si(value);
  if (!std::isfinite(si)) {
    throw Error("'" + std::string(trim_blanks(text)) +
                "' is beyond the range of a double in SI units");
  }
  return si;
}

std::vector<double> parse_quantity_list(std::string_view text,
                                        Dimension dimension,
                                        UnitSystem system) {
  std::vector<QuantityText> items;
  std::size_t count = 0;
  while (true) {
    const auto comma = text.find(',');
    const auto item = trim_blanks(text.substr(0, comma));
    ++count;
    const std::string where = "value " + std::to_string(count) + ": ";
    if (item.empty()) throw Error(where + "no value given");
    try {
      items.push_back(split_quantity(item));
    } catch (const Error& error) {
      throw Error(where + error.what());
    }
    if (comma == std::string_view::npos) break;
    text.remove_prefix(comma + 1);
  }
  std::size_t with_unit = 0;
  for (const auto& item : items) {
    if (!item.unit.empty()) ++with_unit;
  }
  const bool last_only = with_unit == 1 && !items.back().unit.empty();
  if (with_unit != 0 && with_unit != items.size() && !last_only) {
    throw Error(
        "some values have a unit and some not: give one unit after the "
        "last value, or a unit with every value");
  }
  if (last_only) {
    // The unit's own mistake belongs to the value that carries it.
    try {
      (void)parse_unit(items.back().unit, dimension);
    } catch (const Error& error) {
      throw Error("value " + std::to_string(items.size()) + ": " +
                  error.what());
    }
  }
  std::vector<double> values;
  values.reserve(items.size());
  for (std::size_t k = 0; k < items.size(); ++k) {
    const std::string where = "value " + std::to_string(k + 1) + ": ";
    const auto unit_text = last_only ? items.back().unit : items[k].unit;
    try {
      const std::string written =
          std::string(items[k].number) + " " + std::string(unit_text);
      values.push_back(parse_quantity(written, dimension, system));
    } catch (const Error& error) {
      throw Error(where + error.what());
    }
  }
  return values;
}

DisplayUnit display_unit(Dimension dimension, UnitSystem system) {
  const auto shown = unit_table::shown_unit(dimension, system);
  return {shown.unit.text, shown.column};
}

double to_display(double si, Dimension dimension, UnitSystem system) {
  return unit_table::shown_unit(dimension, system).unit.from_si(si);
}

double from_display(double shown, Dimension dimension, UnitSystem system) {
  return unit_table::shown_unit(dimension, system).unit.to_si(shown);
}

}  // namespace pipecorr::hostkit
