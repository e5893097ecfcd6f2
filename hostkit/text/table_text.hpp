// Columns of plain-text tables for terminals: right-aligned by characters,
// not bytes, so a unit such as "°F" lines up with plain ASCII.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace pipecorr::hostkit {

// Characters (UTF-8 code points) in `text`: every byte but the continuation
// bytes of a multi-byte character. Texts from outside are escaped with
// for_terminal first, so what is counted is well-formed.
[[nodiscard]] std::size_t display_width(std::string_view text);

// `text` after enough blanks to fill `width` characters; longer text is
// kept whole, so a table widens rather than losing digits.
[[nodiscard]] std::string right_aligned(std::string_view text,
                                        std::size_t width);

// One column of a table: its name and unit lines, and its width.
struct TextColumn {
  std::string_view name;
  std::string unit;
  std::size_t width = 10;
};

// The two header lines (names, then units) of `columns`.
[[nodiscard]] std::string column_headings(std::span<const TextColumn> columns);

}  // namespace pipecorr::hostkit
