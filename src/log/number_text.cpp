// Number texts of list-directed records: a 17-digit correct conversion,
// re-rounded to the digits the field shows.
#include "log/number_text.hpp"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>

namespace pipecorr::dbg {
namespace {

struct RealLayout {
  int width;       // field width
  int fraction;    // digits after the point
  int cap;         // most significant digits shown
  int exp_digits;  // least exponent digits
};

constexpr RealLayout kSingleLayout{15, 6, 7, 2};
constexpr RealLayout kDoubleLayout{24, 15, 16, 3};
// Fixed-point form for 1 <= n < width - fraction - 1 (8 for both kinds).
constexpr int kFixedLimit = 8;

// value = 0.D1 D2 ... Dcount x 10^n, D1 != 0, no trailing zeros.
struct Decimal {
  char digits[24];
  int count;
  int n;
};

Decimal to_decimal(double magnitude) noexcept {
  Decimal d{};
  if (magnitude == 0.0) {
    d.digits[0] = '0';
    d.count = 1;
    d.n = 0;
    return d;
  }
  // 17 significant digits, correctly rounded: "D.DDDDDDDDDDDDDDDDe+XX".
  char buf[48];
  const auto result = std::to_chars(buf, buf + sizeof buf, magnitude,
                                    std::chars_format::scientific, 16);
  const char* end = result.ptr;
  const char* e = std::find(static_cast<const char*>(buf), end, 'e');
  d.digits[0] = buf[0];
  int count = 1;
  for (const char* p = buf + 2; p < e; ++p) d.digits[count++] = *p;
  while (count > 1 && d.digits[count - 1] == '0') --count;
  d.count = count;
  int exponent = 0;
  std::from_chars(e + 1 + (e[1] == '+' ? 1 : 0), end, exponent);
  d.n = exponent + 1;
  return d;
}

// Keeps `keep` digits, looking only at the first dropped digit; a carry out
// of the first digit gives "1" and raises n.
void round_to(Decimal& d, int keep) noexcept {
  if (d.count <= keep) return;
  const bool up = d.digits[keep] >= '5';
  d.count = keep;
  if (!up) return;
  int i = keep - 1;
  while (i >= 0 && d.digits[i] == '9') d.digits[i--] = '0';
  if (i >= 0) {
    ++d.digits[i];
  } else {
    d.digits[0] = '1';
    d.count = 1;
    ++d.n;
  }
}

void append(NumberText& t, char c) noexcept {
  if (t.length < static_cast<int>(sizeof t.chars)) t.chars[t.length++] = c;
}

void append(NumberText& t, const char* s) noexcept {
  while (*s != '\0') append(t, *s++);
}

char digit_at(const Decimal& d, int i) noexcept {
  return i < d.count ? d.digits[i] : '0';
}

NumberText marker(const char* text, const RealLayout& layout) noexcept {
  NumberText t{};
  append(t, text);
  while (t.length < layout.width - 2) append(t, '.');
  return t;
}

NumberText format_real(double magnitude, bool negative,
                       const RealLayout& layout) noexcept {
  Decimal d = to_decimal(magnitude);
  // The form is chosen on n before rounding.
  const bool fixed = d.n >= 1 && d.n < kFixedLimit;
  const int shown = fixed ? d.n + layout.fraction : layout.fraction + 1;
  round_to(d, std::min(shown, layout.cap));

  NumberText t{};
  if (negative) append(t, '-');
  if (fixed) {
    // A carry has raised n, adding one digit before the point.
    for (int i = 0; i < d.n; ++i) append(t, digit_at(d, i));
    append(t, '.');
    for (int i = 0; i < layout.fraction; ++i) append(t, digit_at(d, d.n + i));
    return t;
  }
  append(t, digit_at(d, 0));
  append(t, '.');
  for (int i = 1; i <= layout.fraction; ++i) append(t, digit_at(d, i));
  append(t, 'E');
  const int exponent = magnitude == 0.0 ? 0 : d.n - 1;
  append(t, exponent < 0 ? '-' : '+');
  char digits[8] = {};
  const auto r = std::to_chars(digits, digits + sizeof digits,
                               exponent < 0 ? -exponent : exponent);
  const int length = static_cast<int>(r.ptr - digits);
  for (int i = length; i < layout.exp_digits; ++i) append(t, '0');
  for (int i = 0; i < length; ++i) append(t, digits[i]);
  return t;
}

}  // namespace

NumberText format_integer(std::int32_t value) noexcept {
  NumberText t{};
  const auto r = std::to_chars(t.chars, t.chars + sizeof t.chars, value);
  t.length = static_cast<int>(r.ptr - t.chars);
  return t;
}

NumberText format_single(float value) noexcept {
  const std::uint32_t bits = std::bit_cast<std::uint32_t>(value);
  if (std::isinf(value)) return marker("1#INF", kSingleLayout);
  if (std::isnan(value)) {
    const bool quiet = (bits & 0x00400000U) != 0;
    const bool indefinite = (bits & 0x803FFFFFU) == 0x80000000U;
    if (!quiet) return marker("1#SNAN", kSingleLayout);
    return marker(indefinite ? "1#IND" : "1#QNAN", kSingleLayout);
  }
  // Widening a single to double is exact.
  return format_real(std::fabs(double{value}), value < 0.0F, kSingleLayout);
}

NumberText format_double(double value) noexcept {
  const std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
  if (std::isinf(value)) return marker("1#INF", kDoubleLayout);
  if (std::isnan(value)) {
    const bool quiet = (bits & 0x0008000000000000ULL) != 0;
    const bool indefinite =
        (bits & 0x8007FFFFFFFFFFFFULL) == 0x8000000000000000ULL;
    if (!quiet) return marker("1#SNAN", kDoubleLayout);
    return marker(indefinite ? "1#IND" : "1#QNAN", kDoubleLayout);
  }
  return format_real(std::fabs(value), value < 0.0, kDoubleLayout);
}

}  // namespace pipecorr::dbg
