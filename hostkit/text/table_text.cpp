#include "text/table_text.hpp"

namespace pipecorr::hostkit {

std::size_t display_width(std::string_view text) {
  std::size_t width = 0;
  for (const char c : text) {
    if ((static_cast<unsigned char>(c) & 0xC0U) != 0x80U) ++width;
  }
  return width;
}

std::string right_aligned(std::string_view text, std::size_t width) {
  const std::size_t used = display_width(text);
  std::string out(used < width ? width - used : 0, ' ');
  out += text;
  return out;
}

std::string column_headings(std::span<const TextColumn> columns) {
  std::string names;
  std::string units;
  for (const auto& column : columns) {
    names += right_aligned(column.name, column.width);
    units += right_aligned(column.unit, column.width);
  }
  return names + "\n" + units + "\n";
}

}  // namespace pipecorr::hostkit
