// The command's half of the shared refusal table: each well-job request of
// tests/shared/well_refusals.txt is refused by `pipecorr` with status 1 and
// the table's message, before any output is written. The package's half
// (python/tests/test_refusals.py) reads the same table.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli/pipecorr_runner.hpp"
#include "support/work_dir.hpp"

namespace pipecorr::testing {
namespace {

struct Refusal {
  std::size_t line = 0;
  std::string job, case_name, key, names, step, python, message;
};

std::string trimmed(std::string text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  const auto last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

std::vector<Refusal> read_table() {
  std::istringstream lines(read_file(REFUSAL_TABLE));
  std::vector<Refusal> rows;
  std::string line;
  for (std::size_t number = 1; std::getline(lines, line); ++number) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> fields;
    for (std::size_t at = 0;;) {
      const auto bar = line.find(" | ", at);
      fields.push_back(trimmed(line.substr(at, bar - at)));
      if (bar == std::string::npos) break;
      at = bar + 3;
    }
    if (fields.size() != 7) {
      ADD_FAILURE() << "line " << number << " has " << fields.size()
                    << " fields, not 7";
      continue;
    }
    rows.push_back({number, fields[0], fields[1], fields[2], fields[3],
                    fields[4], fields[5], fields[6]});
  }
  return rows;
}

// The example with its survey (or profile), and the row's key in place of
// the case's.
void write_case(const Refusal& row) {
  const std::filesystem::path examples = EXAMPLES_DIR;
  std::istringstream lines(read_file(examples / row.case_name));
  const auto key = row.key.substr(0, row.key.find(" ="));
  std::string text, line;
  bool replaced = row.key == "-";
  while (std::getline(lines, line)) {
    if (!replaced && line.rfind(key + " ", 0) == 0) {
      line = row.key;
      replaced = true;
    }
    text += line + "\n";
  }
  ASSERT_TRUE(replaced) << "line " << row.line << ": no key '" << key << "'";
  write_file("w.case", text);
  auto table = text.find("survey = ");
  if (table == std::string::npos) table = text.find("profile = ");
  ASSERT_NE(table, std::string::npos) << row.case_name << " names no table";
  const auto from = text.substr(text.find("= ", table) + 2);
  const auto name = from.substr(0, from.find_first_of(" \n"));
  write_file(name, read_file(examples / name));
}

TEST(SharedRefusals, TheCommandRefusesEachRequestWithItsMessage) {
  const auto rows = read_table();
  ASSERT_GE(rows.size(), 5U);
  for (const auto& row : rows) {
    SCOPED_TRACE("table line " + std::to_string(row.line));
    const ScopedWorkDir dir;
    write_case(row);
    std::string arguments = row.job + " w.case -o out.csv";
    if (row.names != "-") arguments += " -c " + shell_quoted(row.names);
    // "=" keeps a negative step from reading as an option.
    if (row.step != "-") arguments += " --step=" + row.step;
    const auto result = run(arguments);
    EXPECT_EQ(result.status, 1) << result.err;
    EXPECT_EQ(result.err.rfind("pipecorr: error: ", 0), 0U) << result.err;
    EXPECT_NE(result.err.find(row.message), std::string::npos) << result.err;
    EXPECT_TRUE(result.out.empty()) << result.out;
    EXPECT_FALSE(std::filesystem::exists("out.csv"));
  }
}

}  // namespace
}  // namespace pipecorr::testing
