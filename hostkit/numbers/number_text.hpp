// Numbers to and from text with std::from_chars/std::to_chars: exact,
// locale-free and allocation-free, which a million-row table needs. One
// rule for every number a person gives (options, table cells, case files):
// decimal only. "010" is ten, not eight; "0x10" is not a number.
#pragma once

#include <string>
#include <string_view>

namespace pipecorr::hostkit {

enum class NumberProblem {
  kNone,
  kEmpty,
  kNotNumber,
  kNotFinite,   // nan, inf
  kOutOfRange,  // a decimal beyond what a double holds: 1e999, 1e-400
  kNotWhole,    // a count that is not a whole number
};

// Reads a whole cell (surrounding blanks allowed, one leading '+' allowed)
// as a finite double. Anything else left in the cell makes it not a number.
// A value too small for a double is refused like one too large, never
// silently read as zero.
[[nodiscard]] NumberProblem parse_number(std::string_view text, double& value);

// A whole decimal count (for grid sizes and the like), within int range.
[[nodiscard]] NumberProblem parse_count(std::string_view text, int& value);

// "is empty", "is not a number", "is not a finite number", ...
[[nodiscard]] std::string_view describe(NumberProblem problem);

// Shortest text that reads back as the same value.
void append_number(std::string& out, double value);
void append_number(std::string& out, long long value);

// Fixed notation with the given number of decimals.
[[nodiscard]] std::string fixed(double value, int decimals);

// Shortest round-trip text, for messages and captions.
[[nodiscard]] std::string shortest(double value);

[[nodiscard]] std::string_view trim_blanks(std::string_view text);

}  // namespace pipecorr::hostkit

namespace pipecorr::hostkit {

// At most `digits` significant digits, no trailing zeros: for captions.
[[nodiscard]] std::string significant(double value, int digits);

}  // namespace pipecorr::hostkit

namespace pipecorr {

// Up to 10 significant digits, no trailing zeros ("1234.5", "1e-05", "nan",
// "inf"): the numbers of the well's error messages and stop reasons, short
// and exact enough to find the row a person typed. In the project's own
// namespace, so the well and the host side call it alike.
[[nodiscard]] std::string number_text(double value);

}  // namespace pipecorr
