// The `key = value` lines of case files. A comment is a line whose first
// character (after blanks) is '#', or the rest of a line from a '#' that
// stands alone between blanks (or a blank and the line's end). So
// "title = Well #3" keeps its "#3" and "profile = my#prof.csv" its file
// name, while "rate = 5  # kg/s" drops the note.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace pipecorr::hostkit {

struct KeyValue {
  std::string_view key;
  std::string_view value;
  std::size_t line = 0;  // from 1
};

// Every key = value line of the text, in order. Throws Error naming
// "source:line" for a line without '=', an empty key, or a key given twice.
[[nodiscard]] std::vector<KeyValue> parse_key_values(std::string_view text,
                                                     const std::string& source);

// The line without its comment.
[[nodiscard]] std::string_view strip_comment(std::string_view line);

}  // namespace pipecorr::hostkit
