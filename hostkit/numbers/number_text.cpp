#include "numbers/number_text.hpp"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace pipecorr::hostkit {

std::string_view trim_blanks(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

NumberProblem parse_number(std::string_view text, double& value) {
  text = trim_blanks(text);
  if (text.empty()) return NumberProblem::kEmpty;
  // from_chars reads "-" but not "+"; people write both.
  if (text.front() == '+') {
    text.remove_prefix(1);
    if (text.empty() || text.front() == '-') return NumberProblem::kNotNumber;
  }
  const char* end = text.data() + text.size();
  double parsed = 0.0;
  // The general format reads decimal only: a "0x" prefix stops at the x.
  const auto [stop, error] =
      std::from_chars(text.data(), end, parsed, std::chars_format::general);
  if (error == std::errc::result_out_of_range && stop == end) {
    return NumberProblem::kOutOfRange;
  }
  if (error != std::errc{} || stop != end) return NumberProblem::kNotNumber;
  if (!std::isfinite(parsed)) return NumberProblem::kNotFinite;
  value = parsed;
  return NumberProblem::kNone;
}

NumberProblem parse_count(std::string_view text, int& value) {
  double parsed = 0.0;
  const NumberProblem problem = parse_number(text, parsed);
  if (problem != NumberProblem::kNone) return problem;
  if (parsed != std::floor(parsed)) return NumberProblem::kNotWhole;
  if (!(parsed >= -2147483648.0 && parsed <= 2147483647.0)) {
    return NumberProblem::kOutOfRange;
  }
  value = static_cast<int>(parsed);
  return NumberProblem::kNone;
}

std::string_view describe(NumberProblem problem) {
  switch (problem) {
    case NumberProblem::kEmpty:
      return "is empty";
    case NumberProblem::kNotNumber:
      return "is not a number";
    case NumberProblem::kNotFinite:
      return "is not a finite number";
    case NumberProblem::kOutOfRange:
      return "is beyond the range of a double (about 1e-308 to 1e308)";
    case NumberProblem::kNotWhole:
      return "is not a whole number";
    case NumberProblem::kNone:
      break;
  }
  return "is a number";
}

void append_number(std::string& out, double value) {
  std::array<char, 32> text{};
  const auto result =
      std::to_chars(text.data(), text.data() + text.size(), value);
  out.append(text.data(), result.ptr);
}

void append_number(std::string& out, long long value) {
  std::array<char, 24> text{};
  const auto result =
      std::to_chars(text.data(), text.data() + text.size(), value);
  out.append(text.data(), result.ptr);
}

std::string fixed(double value, int decimals) {
  std::array<char, 64> text{};
  auto result = std::to_chars(text.data(), text.data() + text.size(), value,
                              std::chars_format::fixed, decimals);
  if (result.ec != std::errc{}) {
    result = std::to_chars(text.data(), text.data() + text.size(), value);
  }
  std::string out(text.data(), result.ptr);
  // "-0.00" reads as a sign where there is none.
  if (out.front() == '-' && out.find_first_not_of("-0.") == std::string::npos) {
    out.erase(0, 1);
  }
  return out;
}

std::string shortest(double value) {
  std::string out;
  append_number(out, value);
  return out;
}

}  // namespace pipecorr::hostkit

namespace pipecorr::hostkit {

std::string significant(double value, int digits) {
  char text[40];
  std::snprintf(text, sizeof text, "%.*g", digits, value);
  return text;
}

}  // namespace pipecorr::hostkit

namespace pipecorr {

std::string number_text(double value) {
  return hostkit::significant(value, 10);
}

}  // namespace pipecorr
