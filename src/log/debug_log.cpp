// Record layouts of the debug log.
#include "log/debug_log.hpp"

#include <charconv>

namespace pipecorr::dbg {

std::int32_t log_switch = 0;

namespace {

const char* g_file_name = "";

}  // namespace

void use_file_name(const char* name) noexcept {
  g_file_name = name != nullptr ? name : "";
}

const char* file_name() noexcept { return g_file_name; }

namespace {

// Fortran-style Iw.m: right-justified in `width` columns with at least
// `min_digits` digits; asterisks when the value does not fit.
void append_integer(std::string& out, int value, int width, int min_digits) {
  char digits[16];
  const unsigned magnitude = value < 0 ? 0U - static_cast<unsigned>(value)
                                       : static_cast<unsigned>(value);
  const auto r = std::to_chars(digits, digits + sizeof digits, magnitude);
  const int length = static_cast<int>(r.ptr - digits);
  const int zeros = min_digits > length ? min_digits - length : 0;
  const int needed = (value < 0 ? 1 : 0) + zeros + length;
  if (needed > width) {
    out.append(static_cast<std::size_t>(width), '*');
    return;
  }
  out.append(static_cast<std::size_t>(width - needed), ' ');
  if (value < 0) out += '-';
  out.append(static_cast<std::size_t>(zeros), '0');
  out.append(digits, static_cast<std::size_t>(length));
}

}  // namespace

void Block::number(const NumberText& text, int width, bool& number_seen) {
  const int field = width + (number_seen ? 1 : 0);
  if (text.length < field) {
    text_.append(static_cast<std::size_t>(field - text.length), ' ');
  }
  text_ += text.view();
  number_seen = true;
}

void Block::texts(const char* elements, std::size_t element_len,
                  std::int32_t count) {
  for (std::int32_t i = 0; i < count; ++i) {
    text_ += "     ";
    text_.append(elements + static_cast<std::size_t>(i) * element_len,
                 element_len);
    end_line();
  }
}

void Block::integers(const std::int32_t* values, std::int32_t count) {
  for (std::int32_t i = 0; i < count; ++i) {
    text_ += "     ";
    append_integer(text_, values[i], 5, 1);
    end_line();
  }
}

void Block::time_stamp(int hour, int minute, int second, int day, int month,
                       int year) {
  append_integer(text_, hour, 3, 2);
  text_ += ':';
  append_integer(text_, minute, 2, 2);
  text_ += ':';
  append_integer(text_, second, 2, 2);
  text_ += "     ";
  append_integer(text_, day, 2, 2);
  text_ += '/';
  append_integer(text_, month, 2, 2);
  text_ += '/';
  append_integer(text_, year, 4, 1);
  end_line();
  // The closing slash of the format ends the line; the record's end then
  // gives an empty line.
  end_line();
}

}  // namespace pipecorr::dbg
