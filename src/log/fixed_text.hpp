// Fixed-length, blank-padded host texts: the only kind of text the library
// hands a host. No terminator is ever written; a host's buffer holds exactly
// the declared length.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string_view>

#include "pipecorr/pipecorr.h"

namespace pipecorr::text {

// The lengths hosts size their buffers by, from the public header.
inline constexpr std::size_t kNameLength = PIPECORR_NAME_LEN;
inline constexpr std::size_t kDescriptionLength = PIPECORR_DESC_LEN;
inline constexpr std::size_t kLineLength = PIPECORR_LINE_LEN;
inline constexpr std::size_t kMessageLength = PIPECORR_ERRMSG_LEN;

// The head of every correlation failure message; a reason may follow after
// ": ". Hosts match on it.
inline constexpr std::string_view kFailureHead =
    "Unable to calculate flow regime";

// Copies text into a field of exactly `length` characters, blank-padded on
// the right, cut if longer. Never writes a terminator.
inline void put_fixed(char* field, std::size_t length,
                      std::string_view text) noexcept {
  const std::size_t n = std::min(length, text.size());
  std::copy_n(text.data(), n, field);
  std::fill(field + n, field + length, ' ');
}

// A message of exactly kMessageLength characters: `head`, then ": " and
// `reason` when there is one, cut at the end and blank-padded.
inline void put_message(char* errmsg, std::string_view head,
                        std::string_view reason = {}) noexcept {
  put_fixed(errmsg, kMessageLength, head);
  if (reason.empty()) return;
  char* const end = errmsg + kMessageLength;
  char* at = errmsg + std::min(head.size(), kMessageLength);
  for (const char c : std::string_view(": ")) {
    if (at != end) *at++ = c;
  }
  put_fixed(at, static_cast<std::size_t>(end - at), reason);
}

}  // namespace pipecorr::text
