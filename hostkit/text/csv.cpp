#include "text/csv.hpp"

#include "text/error.hpp"

namespace pipecorr::hostkit {
namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }

std::string_view trim_end(std::string_view text) {
  while (!text.empty() && (is_blank(text.back()) || text.back() == '\r')) {
    text.remove_suffix(1);
  }
  return text;
}

}  // namespace

bool CsvReader::next() {
  while (position_ < text_.size()) {
    // Blank and comment lines between records.
    std::size_t at = position_;
    while (at < text_.size() && is_blank(text_[at])) ++at;
    const bool comment = at < text_.size() && text_[at] == '#';
    const bool blank = at == text_.size() || text_[at] == '\n' ||
                       (text_[at] == '\r' &&
                        (at + 1 == text_.size() || text_[at + 1] == '\n'));
    if (comment || blank) {
      const auto end = text_.find('\n', at);
      position_ = end == std::string_view::npos ? text_.size() : end + 1;
      ++line_;
      continue;
    }
    read_record();
    return true;
  }
  return false;
}

void CsvReader::read_record() {
  line_number_ = line_;
  cell_count_ = 0;
  cells_.clear();
  unquoted_.clear();
  problem_ = {};
  std::vector<Piece>& pieces = pieces_;
  pieces.clear();
  const auto keep = [&](Piece piece) {
    ++cell_count_;
    if (cell_count_ > kMaxCells) {
      problem_ = "the record has more than 1000 cells";
      return;
    }
    pieces.push_back(piece);
  };

  std::size_t at = position_;
  const std::size_t size = text_.size();
  while (true) {
    while (at < size && is_blank(text_[at])) ++at;
    if (at < size && text_[at] == '"') {
      const std::size_t start = unquoted_.size();
      ++at;
      bool closed = false;
      while (at < size) {
        const char c = text_[at++];
        if (c == '"') {
          if (at < size && text_[at] == '"') {
            unquoted_ += '"';
            ++at;
            continue;
          }
          closed = true;
          break;
        }
        if (c == '\n') ++line_;
        unquoted_ += c;
      }
      keep({true, start, unquoted_.size() - start});
      if (!closed) {
        problem_ = "a quoted cell is not closed";
        position_ = size;
        // The last line holding any of the record's text.
        last_line_ = size > 0 && text_[size - 1] == '\n' ? line_ - 1 : line_;
        break;
      }
      while (at < size && is_blank(text_[at])) ++at;
      if (at < size && text_[at] == '\r' && at + 1 < size &&
          text_[at + 1] == '\n') {
        ++at;
      }
      if (at < size && text_[at] != ',' && text_[at] != '\n') {
        if (problem_.empty()) problem_ = "text follows a closing quote";
        while (at < size && text_[at] != ',' && text_[at] != '\n') ++at;
      }
    } else {
      std::size_t end = at;
      while (end < size && text_[end] != ',' && text_[end] != '\n') ++end;
      const std::string_view cell = trim_end(text_.substr(at, end - at));
      keep({false, at, cell.size()});
      at = end;
    }
    if (at < size && text_[at] == ',') {
      ++at;
      continue;
    }
    // End of the line, or of the text.
    position_ = at < size ? at + 1 : size;
    last_line_ = line_;
    ++line_;
    break;
  }
  for (const Piece& piece : pieces) {
    cells_.push_back(piece.quoted ? std::string_view(unquoted_).substr(
                                        piece.offset, piece.length)
                                  : text_.substr(piece.offset, piece.length));
  }
}

std::string CsvReader::place() const {
  std::string text = std::to_string(line_number_);
  if (last_line_ > line_number_) text += "-" + std::to_string(last_line_);
  return text;
}

void append_cell(std::string& out, std::string_view text) {
  const bool needs_quotes =
      text.find_first_of(",\"\r\n") != std::string_view::npos ||
      (!text.empty() && (is_blank(text.front()) || is_blank(text.back()) ||
                         text.front() == '#'));
  if (!needs_quotes) {
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

std::string column_name(const ColumnDefinition& definition) {
  std::string name(definition.name);
  if (!definition.unit.empty()) name.append("_").append(definition.unit);
  return name;
}

HeaderColumns match_header(std::span<const std::string_view> cells,
                           std::span<const ColumnDefinition> definitions,
                           bool allow_unknown) {
  HeaderColumns columns;
  columns.of_definition.assign(definitions.size(), HeaderColumns::kAbsent);
  columns.count = cells.size();
  const auto expected = [&] {
    std::string text;
    for (const auto& definition : definitions) {
      if (!text.empty()) text += ',';
      text += definition.name;
    }
    return text;
  };
  for (std::size_t cell = 0; cell < cells.size(); ++cell) {
    const std::string_view name = cells[cell];
    bool known = false;
    for (std::size_t k = 0; k < definitions.size(); ++k) {
      if (name != definitions[k].name && name != column_name(definitions[k]))
        continue;
      if (columns.of_definition[k] != HeaderColumns::kAbsent) {
        throw Error("header names column '" + std::string(definitions[k].name) +
                    "' twice");
      }
      columns.of_definition[k] = cell;
      known = true;
    }
    if (known) continue;
    if (!allow_unknown) {
      throw Error("header has unknown column '" + std::string(name) +
                  "'; expected " + expected());
    }
    columns.unknown.push_back(cell);
  }
  for (std::size_t k = 0; k < definitions.size(); ++k) {
    if (definitions[k].required &&
        columns.of_definition[k] == HeaderColumns::kAbsent) {
      throw Error("header lacks column '" + std::string(definitions[k].name) +
                  "'; expected " + expected());
    }
  }
  return columns;
}

}  // namespace pipecorr::hostkit
