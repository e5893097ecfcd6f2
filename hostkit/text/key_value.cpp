#include "text/key_value.hpp"

#include "numbers/number_text.hpp"
#include "text/error.hpp"
#include "text/escape.hpp"

namespace pipecorr::hostkit {

std::string_view strip_comment(std::string_view line) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  const auto first = line.find_first_not_of(" \t");
  if (first != std::string_view::npos && line[first] == '#') return {};
  for (std::size_t at = 1; at < line.size(); ++at) {
    if (line[at] != '#' || !blank(line[at - 1])) continue;
    if (at + 1 == line.size() || blank(line[at + 1]) || line[at + 1] == '\r') {
      return line.substr(0, at);
    }
  }
  return line;
}

std::vector<KeyValue> parse_key_values(std::string_view text,
                                       const std::string& source) {
  std::vector<KeyValue> entries;
  std::size_t line_number = 0;
  while (!text.empty()) {
    const auto end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    ++line_number;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const auto content = trim_blanks(strip_comment(line));
    if (content.empty()) continue;
    const auto fail = [&](const std::string& message) {
      throw Error(source + ":" + std::to_string(line_number) + ": " + message);
    };
    const auto equals = content.find('=');
    if (equals == std::string_view::npos) {
      fail("expected 'key = value', got '" + for_terminal(content) + "'");
    }
    const auto key = trim_blanks(content.substr(0, equals));
    if (key.empty()) fail("a key is missing before '='");
    for (const KeyValue& earlier : entries) {
      if (earlier.key == key) {
        fail("key '" + for_terminal(key) + "' repeated (first on line " +
             std::to_string(earlier.line) + ")");
      }
    }
    entries.push_back(
        {key, trim_blanks(content.substr(equals + 1)), line_number});
  }
  return entries;
}

}  // namespace pipecorr::hostkit
