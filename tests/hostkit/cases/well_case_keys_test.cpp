// The key table against the documentation: every key a field case takes is
// described in docs/well-cases.md, and the documentation describes no key
// the reader does not take.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <string_view>

#include "cases/well_case_keys.hpp"

namespace {

using pipecorr::hostkit::kWellCaseKeys;

// The backquoted words of the first cell of each row of the table that
// follows the "| key | kind |" heading, up to the first line that is not
// a table row.
std::set<std::string> documented_keys(const std::string& text) {
  std::set<std::string> keys;
  std::istringstream lines(text);
  std::string line;
  bool in_table = false;
  while (std::getline(lines, line)) {
    if (!in_table) {
      in_table = line.rfind("| key | kind |", 0) == 0;
      continue;
    }
    if (line.empty() || line[0] != '|') break;
    const auto end = line.find('|', 1);
    const std::string cell = line.substr(1, end - 1);
    for (auto open = cell.find('`'); open != std::string::npos;) {
      const auto close = cell.find('`', open + 1);
      if (close == std::string::npos) break;
      keys.insert(cell.substr(open + 1, close - open - 1));
      open = cell.find('`', close + 1);
    }
  }
  return keys;
}

std::string read_doc() {
  std::ifstream in(DOCS_DIR "/well-cases.md");
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(WellCaseKeys, TheDocumentationDescribesEveryKeyAndNoOther) {
  const std::set<std::string> documented = documented_keys(read_doc());
  ASSERT_FALSE(documented.empty()) << "no key table in docs/well-cases.md";
  std::set<std::string> table;
  for (const auto& entry : kWellCaseKeys) {
    table.insert(std::string(entry.key));
    EXPECT_TRUE(documented.count(std::string(entry.key)))
        << entry.key << " is read but not in docs/well-cases.md";
  }
  for (const auto& key : documented) {
    EXPECT_TRUE(table.count(key))
        << key << " is in docs/well-cases.md but the reader does not take it";
  }
}

// The parser itself: a key in a later cell (a value such as `sutton`) is
// not a key, a key cell with two keys gives both, and the table ends at
// the first line that is not a row.
TEST(WellCaseKeys, DocumentedKeysReadOnlyTheKeyColumnOfTheKeyTable) {
  const std::string text =
      "| kind | units |\n|---|---|\n| `not_this` | x |\n\n"
      "| key | kind | default, alternatives |\n|---|---|---|\n"
      "| `units` | `field` or `si` | required |\n"
      "| `oil_rate` + `water_rate` | rates | `sutton` |\n"
      "\n| `after` | x | y |\n";
  EXPECT_EQ(documented_keys(text),
            (std::set<std::string>{"oil_rate", "units", "water_rate"}));
}

TEST(WellCaseKeys, NoKeyIsListedTwice) {
  std::set<std::string_view> seen;
  for (const auto& entry : kWellCaseKeys) {
    EXPECT_TRUE(seen.insert(entry.key).second) << entry.key;
  }
}

}  // namespace
