// The small CSV dialect of the command's tables: one record a line, cells
// split at commas, blanks around a cell ignored, '#' lines and blank lines
// skipped, CRLF or LF endings. Output cells are quoted when they need it.
#pragma once

#include <cstddef>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

namespace pipecorr::hostkit {

// Walks the lines of a text that is in memory, numbering them from 1 and
// skipping comments and blank lines.
class LineCursor {
 public:
  explicit LineCursor(std::string_view text) : text_(text) {}

  // The next line that holds data, without its line ending.
  bool next(std::string_view& line, std::size_t& line_number);

  [[nodiscard]] std::size_t position() const { return position_; }

 private:
  std::string_view text_;
  std::size_t position_ = 0;
  std::size_t line_number_ = 0;
};

// Splits a line into at most cells.size() trimmed cells and returns how many
// cells the line has (which may exceed the room given).
std::size_t split_cells(std::string_view line,
                        std::span<std::string_view> cells);

// Appends one output cell, quoted when it holds a comma, quote or line break.
void append_cell(std::string& out, std::string_view text);

// The whole file, or a Error naming the file and the problem.
[[nodiscard]] std::string read_text_file(const std::filesystem::path& path,
                                         std::string_view what);

}  // namespace pipecorr::hostkit
