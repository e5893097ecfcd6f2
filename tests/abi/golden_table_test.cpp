// Same bits everywhere: each build runs the fixed host cases through its own
// plug-in and must reproduce the golden file, which the native x86-64 build
// wrote, bit for bit.
//
//   golden_table_test PLUGIN GOLDEN_FILE [gtest flags]
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <string>

#include "abi/golden_rows.hpp"
#include "abi/host_cases.hpp"
#include "support/plugin_library.hpp"
#include "support/work_dir.hpp"

namespace {

using pipecorr::abi::GoldenRunner;
using pipecorr::abi::HostCase;
using pipecorr::testing::PluginLibrary;

std::string g_plugin_path;
std::string g_golden_path;

const std::map<std::string, std::string>& golden() {
  static const auto lines = [] {
    std::map<std::string, std::string> by_key;
    for (auto& [key, line] : pipecorr::abi::parse_golden(
             pipecorr::testing::read_file(g_golden_path))) {
      by_key.emplace(key, line);
    }
    return by_key;
  }();
  return lines;
}

const PluginLibrary& plugin() {
  static const PluginLibrary library(g_plugin_path);
  return library;
}

class GoldenTable : public ::testing::TestWithParam<HostCase> {};

TEST_P(GoldenTable, ReproducesTheNativeBits) {
  const pipecorr::testing::ScopedWorkDir work_dir;
  const GoldenRunner runner(plugin());
  for (const auto& row : runner.rows(GetParam())) {
    const auto expected = golden().find(row.key);
    ASSERT_NE(expected, golden().end())
        << "no golden line for " << row.key << "; regenerate the golden file";
    EXPECT_EQ(row.line, expected->second) << "trace of this call:\n" << row.log;
  }
}

INSTANTIATE_TEST_SUITE_P(
    HostCases, GoldenTable,
    ::testing::ValuesIn(pipecorr::abi::host_cases().begin(),
                        pipecorr::abi::host_cases().end()),
    [](const ::testing::TestParamInfo<HostCase>& row) {
      return std::string(row.param.name);
    });

// A stale golden file would compare only part of the table.
TEST(GoldenFile, HoldsExactlyTheTableRows) {
  EXPECT_EQ(golden().size(), 4 * pipecorr::abi::host_cases().size());
}

// The table is only worth its name if it reaches every pattern and the
// failure exit through both Beggs & Brill entries.
TEST(GoldenFile, CoversEveryFlowPatternAndTheFailureExit) {
  for (const std::string entry : {" BB_2 ", " BB_3 "}) {
    std::set<std::string> seen;
    for (const auto& [key, line] : golden()) {
      if ((key + ' ').find(entry) == std::string::npos) continue;
      for (const std::string field :
           {"id=5 ", "id=6 ", "id=7 ", "id=8 ", "id=-1 ", "ierr=3 "}) {
        if (line.find(field) != std::string::npos) seen.insert(field);
      }
    }
    EXPECT_EQ(seen.size(), 6U) << entry << "reaches only " << seen.size();
  }
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s PLUGIN GOLDEN_FILE\n", argv[0]);
    return 2;
  }
  g_plugin_path = argv[1];
  g_golden_path = argv[2];
  return RUN_ALL_TESTS();
}
