// Fixed-length, blank-padded host texts.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string_view>

namespace pipecorr::host {

// Copies text into a field of exactly `length` characters, blank-padded on
// the right, cut if longer. Never writes a terminator.
inline void put_fixed(char* field, std::size_t length,
                      std::string_view text) noexcept {
  const std::size_t n = std::min(length, text.size());
  std::copy_n(text.data(), n, field);
  std::fill(field + n, field + length, ' ');
}

inline constexpr std::size_t kMessageLength = 150;

}  // namespace pipecorr::host
