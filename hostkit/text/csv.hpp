// The CSV dialect of the host side's tables. Records are separated by line
// breaks (CR LF or LF); cells by commas; blanks around an unquoted cell are
// dropped. A cell in double quotes may hold commas, line breaks and quotes
// (doubled), and keeps its blanks. Blank lines and records whose first
// character (after blanks, outside quotes) is '#' are comments. What
// append_cell writes, CsvReader reads back unchanged.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pipecorr::hostkit {

// Walks the records of a text in memory. Reading allocates only while the
// buffers grow to the widest record, so a million-row table costs no
// allocation per row.
class CsvReader {
 public:
  // A record with more cells than this is refused rather than stored.
  static constexpr std::size_t kMaxCells = 1000;

  explicit CsvReader(std::string_view text) : text_(text) {}

  // The next record that holds data; false at the end of the text.
  bool next();

  // The cells of the current record (views valid until the next call).
  [[nodiscard]] std::span<const std::string_view> cells() const {
    return {cells_.data(), cells_.size()};
  }
  // How many cells the record has, also when there were too many to keep.
  [[nodiscard]] std::size_t cell_count() const { return cell_count_; }
  // The line the record starts on, counted from 1.
  [[nodiscard]] std::size_t line_number() const { return line_number_; }
  // The line it ends on: later than line_number() when a quoted cell holds
  // line breaks (or a stray quote swallowed the lines after it).
  [[nodiscard]] std::size_t last_line() const { return last_line_; }
  // Where the record lies, as messages name it after the file: "584", or
  // "584-2039" for a record spanning lines, so that a quote left open is
  // seen to have swallowed every line between.
  [[nodiscard]] std::string place() const;
  // Why the record cannot be read (an unclosed quote, text after a closing
  // quote, too many cells), or empty.
  [[nodiscard]] std::string_view problem() const { return problem_; }
  // Bytes of the text read so far.
  [[nodiscard]] std::size_t position() const { return position_; }

 private:
  void read_record();

  std::string_view text_;
  std::size_t position_ = 0;
  std::size_t line_ = 1;  // line of the next byte to read
  std::size_t line_number_ = 0;
  std::size_t last_line_ = 0;
  std::size_t cell_count_ = 0;
  // Where a cell's text lies: in the source, or (quoted) in unquoted_,
  // which may grow while a record is read; views are made at its end.
  struct Piece {
    bool quoted;
    std::size_t offset;
    std::size_t length;
  };
  std::vector<Piece> pieces_;
  std::vector<std::string_view> cells_;
  std::string unquoted_;
  std::string_view problem_;
};

// Appends one output cell, quoted when the reader would otherwise not give
// it back unchanged: a comma, quote or line break inside, blanks at either
// end, or a leading '#'.
void append_cell(std::string& out, std::string_view text);

// The columns a table may have, matched against a header by name. A column
// is named either plainly ("usl") or with its unit after an underscore
// ("usl_m_per_s"), the form every table the host side writes uses.
struct ColumnDefinition {
  std::string_view name;
  std::string_view unit;  // "" for a dimensionless quantity
  bool required = true;
};

// The name with its unit: "usl_m_per_s", or the plain name without one.
[[nodiscard]] std::string column_name(const ColumnDefinition& definition);

struct HeaderColumns {
  static constexpr std::size_t kAbsent = static_cast<std::size_t>(-1);
  // Cell index of each definition, kAbsent when the header lacks it.
  std::vector<std::size_t> of_definition;
  // Cells that name no definition, in header order.
  std::vector<std::size_t> unknown;
  std::size_t count = 0;
};

// Throws Error naming a column that is repeated, unknown (unless unknown
// columns are allowed) or required and missing.
[[nodiscard]] HeaderColumns match_header(
    std::span<const std::string_view> cells,
    std::span<const ColumnDefinition> definitions, bool allow_unknown);

}  // namespace pipecorr::hostkit
