// Same bits everywhere: each build computes the golden points with its own
// MB_3 and ANSARI_3 cores and must reproduce golden_mb_ansari.txt, which
// the native x86-64 build wrote, line for line.
//
//   mb_ansari_golden_test GOLDEN_FILE [gtest flags]
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <string>

#include "mb_ansari_golden.hpp"

namespace {

std::string g_golden_path;

std::map<std::string, std::string> read_golden() {
  std::map<std::string, std::string> by_key;
  std::ifstream in(g_golden_path);
  std::string text;
  while (std::getline(in, text)) {
    // The key is the first two words.
    const auto first = text.find(' ');
    const auto second = text.find(' ', first + 1);
    if (first == std::string::npos || second == std::string::npos) continue;
    by_key.emplace(text.substr(0, second), text);
  }
  return by_key;
}

TEST(MbAnsariGolden, ReproducesTheNativeBits) {
  const auto golden = read_golden();
  ASSERT_FALSE(golden.empty()) << "cannot read " << g_golden_path;
  const auto lines = pipecorr::wells::golden::lines();
  EXPECT_EQ(lines.size(), golden.size()) << "regenerate the golden file";
  for (const auto& line : lines) {
    const auto expected = golden.find(line.key);
    ASSERT_NE(expected, golden.end())
        << "no golden line for " << line.key << "; regenerate the golden file";
    EXPECT_EQ(line.text, expected->second);
  }
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: mb_ansari_golden_test GOLDEN_FILE\n");
    return 2;
  }
  g_golden_path = argv[1];
  return RUN_ALL_TESTS();
}
