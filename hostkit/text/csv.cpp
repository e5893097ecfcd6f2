#include "text/csv.hpp"

#include <cstdio>
#include <fstream>

#include "text/error.hpp"
#include "text/number_text.hpp"

namespace pipecorr::hostkit {

bool LineCursor::next(std::string_view& line, std::size_t& line_number) {
  while (position_ < text_.size()) {
    auto end = text_.find('\n', position_);
    if (end == std::string_view::npos) end = text_.size();
    std::string_view raw = text_.substr(position_, end - position_);
    position_ = end + 1;
    ++line_number_;
    if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
    const auto content = trim_blanks(raw);
    if (content.empty() || content.front() == '#') continue;
    line = raw;
    line_number = line_number_;
    return true;
  }
  position_ = text_.size();
  return false;
}

std::size_t split_cells(std::string_view line,
                        std::span<std::string_view> cells) {
  std::size_t count = 0;
  std::size_t start = 0;
  while (true) {
    const auto comma = line.find(',', start);
    const auto end = comma == std::string_view::npos ? line.size() : comma;
    if (count < cells.size()) {
      cells[count] = trim_blanks(line.substr(start, end - start));
    }
    ++count;
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return count;
}

void append_cell(std::string& out, std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
    out.append(text);
    return;
  }
  out.push_back('"');
  for (const char c : text) {
    if (c == '"') out.push_back('"');
    out.push_back(c);
  }
  out.push_back('"');
}

std::string read_text_file(const std::filesystem::path& path,
                           std::string_view what) {
  std::error_code error;
  if (!std::filesystem::exists(path, error)) {
    throw Error(std::string(what) + " '" + path.string() +
                   "' does not exist");
  }
  if (std::filesystem::is_directory(path, error)) {
    throw Error(std::string(what) + " '" + path.string() +
                   "' is a directory, not a file");
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    throw Error("cannot open " + std::string(what) + " '" + path.string() +
                   "'");
  }
  in.seekg(0, std::ios::end);
  const auto size = in.tellg();
  in.seekg(0, std::ios::beg);
  std::string text;
  if (size > 0) text.resize(static_cast<std::size_t>(size));
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  if (!in && !text.empty()) {
    throw Error("cannot read " + std::string(what) + " '" + path.string() +
                   "'");
  }
  // Spreadsheets often save CSV with a UTF-8 byte order mark, which would
  // otherwise become part of the first column's name.
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (std::string_view(text).substr(0, kByteOrderMark.size()) ==
      kByteOrderMark) {
    text.erase(0, kByteOrderMark.size());
  }
  return text;
}

}  // namespace pipecorr::hostkit
