// The texts of numbers in list-directed log records.
#pragma once

#include <cstdint>
#include <string_view>

namespace pipecorr::dbg {

// A number's text, at most 32 characters, without padding.
struct NumberText {
  char chars[32];
  int length;

  [[nodiscard]] std::string_view view() const noexcept {
    return {chars, static_cast<std::size_t>(length)};
  }
};

NumberText format_integer(std::int32_t value) noexcept;
// 6 digits after the point, at most 7 significant digits, exponent of at
// least 2 digits; fixed-point form for magnitudes in [1, 1e7).
NumberText format_single(float value) noexcept;
// 15 digits after the point, at most 16 significant digits, exponent of at
// least 3 digits.
NumberText format_double(double value) noexcept;

}  // namespace pipecorr::dbg
