// Record layouts and file behaviour of the debug log.
#include "log/debug_log.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <limits>
#include <string>

#include "support/work_dir.hpp"

#if !defined(_WIN32)
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#endif

namespace pipecorr::dbg {
namespace {

using pipecorr::testing::read_file;
using pipecorr::testing::ScopedWorkDir;
using pipecorr::testing::write_file;

// The log layer serves every plug-in: the file is the one a run setup names.
constexpr const char* kFileName = "plugin_under_test.dbg";

struct RecordCase {
  const char* name;
  std::function<void(Block&)> write;
  const char* line;
};

class RecordLayout : public ::testing::TestWithParam<RecordCase> {};

TEST_P(RecordLayout, MatchesColumns) {
  Block block;
  GetParam().write(block);
  EXPECT_EQ(block.text(), std::string(GetParam().line) + "\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    ListDirected, RecordLayout,
    ::testing::Values(
        RecordCase{"text_then_single",
                   [](Block& b) { b.record("    vsl = ", 1.0F); },
                   "     vsl =        1.000000"},
        RecordCase{
            "text_then_integer",
            [](Block& b) { b.record(" lines of info = ", std::int32_t{3}); },
            "  lines of info =           3"},
        RecordCase{
            "second_number_gets_one_more_column",
            [](Block& b) { b.record("    usl = ", 0.5, "    usg = ", 2.0); },
            "     usl =   5.000000000000000E-001    usg =         "
            "2.000000000000000"},
        RecordCase{"blank_text", [](Block& b) { b.record(" "); }, "  "},
        RecordCase{"number_first", [](Block& b) { b.record(-12.5F); },
                   "      -12.500000"},
        RecordCase{"text_without_leading_blank",
                   [](Block& b) { b.record("leaving DESCRIPTN_2"); },
                   " leaving DESCRIPTN_2"},
        RecordCase{"trailing_blanks_kept",
                   [](Block& b) { b.record("    constr = ", "12   "); },
                   "     constr = 12   "},
        RecordCase{
            "integer_then_integer",
            [](Block& b) { b.record(std::int32_t{-1}, std::int32_t{7}); },
            "          -1           7"},
        RecordCase{"double_marker",
                   [](Block& b) {
                     b.record("x=", std::numeric_limits<double>::infinity());
                   },
                   " x=  1#INF................."}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(FormattedRecords, TextListsOneLinePerItemWithBlanksKept) {
  const char names[] = "AB  CD  ";  // two 4-character elements
  Block block;
  block.texts(names, 4, 2);
  EXPECT_EQ(block.text(), "     AB  \r\n     CD  \r\n");
}

TEST(FormattedRecords, IntegerListsRightJustifiedInFive) {
  const std::int32_t values[] = {1, -20, 12345, 123456};
  Block block;
  block.integers(values, 4);
  EXPECT_EQ(block.text(),
            "         1\r\n       -20\r\n     12345\r\n     *****\r\n");
}

TEST(FormattedRecords, TimeStampThenEmptyLine) {
  Block block;
  block.time_stamp(9, 5, 7, 8, 12, 2026);
  EXPECT_EQ(block.text(), " 09:05:07     08/12/2026\r\n\r\n");
  Block afternoon;
  afternoon.time_stamp(14, 3, 27, 31, 1, 999);
  EXPECT_EQ(afternoon.text(), " 14:03:27     31/01/ 999\r\n\r\n");
}

class TraceBlock : public ::testing::Test {
 protected:
  void SetUp() override {
    log_switch = 0;
    use_file_name(kFileName);
  }
  void TearDown() override {
    log_switch = 0;
    use_file_name(nullptr);
  }
  ScopedWorkDir dir_;
};

TEST_F(TraceBlock, WritesOnlyTheNamedFile) {
  write_file(kFileName, "");
  write_file("usercorr.dbg", "another plug-in's log\r\n");
  log_switch = kSwitchOn;
  trace([](Block& b) { b.record(" mine"); });
  rewrite_log(" replaced\r\n");
  EXPECT_EQ(read_file(kFileName), " replaced\r\n");
  EXPECT_EQ(read_file("usercorr.dbg"), "another plug-in's log\r\n");
  use_file_name("usercorr.dbg");
  trace([](Block& b) { b.record(" theirs"); });
  EXPECT_EQ(read_file("usercorr.dbg"), "another plug-in's log\r\n  theirs\r\n");
  EXPECT_EQ(read_file(kFileName), " replaced\r\n");
}

TEST_F(TraceBlock, UnnamedLogOpensNothing) {
  use_file_name(nullptr);
  EXPECT_STREQ(file_name(), "");
  write_file("usercorr.dbg", "untouched");
  log_switch = kSwitchOn;
  EXPECT_FALSE(log_file_exists());
  trace([](Block& b) { b.record(" lost"); });
  rewrite_log(" lost\r\n");
  EXPECT_EQ(read_file("usercorr.dbg"), "untouched");
}

TEST_F(TraceBlock, OffFormatsNothing) {
  write_file(kFileName, "");
  bool called = false;
  for (const std::int32_t state : {0, kSwitchOff}) {
    log_switch = state;
    trace([&](Block&) { called = true; });
  }
  EXPECT_FALSE(called);
  EXPECT_EQ(read_file(kFileName), "");
}

TEST_F(TraceBlock, OnAppendsToExistingFile) {
  write_file(kFileName, "old\r\n");
  log_switch = kSwitchOn;
  trace([](Block& b) { b.record(" first"); });
  trace([](Block& b) {
    b.record(" second");
    b.record(" third");
  });
  EXPECT_EQ(read_file(kFileName), "old\r\n  first\r\n  second\r\n  third\r\n");
}

TEST_F(TraceBlock, NeverCreatesTheFile) {
  log_switch = kSwitchOn;
  trace([](Block& b) { b.record(" lost"); });
  EXPECT_FALSE(std::filesystem::exists(kFileName));
}

TEST_F(TraceBlock, DirectoryInPlaceOfFileIsSkipped) {
  std::filesystem::create_directory(kFileName);
  log_switch = kSwitchOn;
  trace([](Block& b) { b.record(" lost"); });
  EXPECT_TRUE(std::filesystem::is_directory(kFileName));
}

#if !defined(_WIN32)
// A write that fails (here: the file-size limit, as on a full disk) drops
// the rest of the block; the next block, once there is room, is written.
TEST_F(TraceBlock, FullDiskIsSkipped) {
  write_file(kFileName, "");
  rlimit before{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &before), 0);
  const auto previous = std::signal(SIGXFSZ, SIG_IGN);
  rlimit none = before;
  none.rlim_cur = 0;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &none), 0);
  log_switch = kSwitchOn;
  trace([](Block& b) { b.record(" lost"); });
  rewrite_log(" lost\r\n");
  ::setrlimit(RLIMIT_FSIZE, &before);
  std::signal(SIGXFSZ, previous);
  EXPECT_EQ(read_file(kFileName), "");
  trace([](Block& b) { b.record(" kept"); });
  EXPECT_EQ(read_file(kFileName), "  kept\r\n");
}

// What may stand under the log's name instead of a plain file. None of it
// is opened for writing, cut or written, through the run setup's rewrite
// or a block's append, and none of it switches the log on.
struct NotAPlainFile {
  const char* name;
  std::function<void()> plant;
};

class PlantedLogName : public ::testing::TestWithParam<NotAPlainFile> {
 protected:
  void SetUp() override {
    log_switch = kSwitchOn;
    write_file("victim.txt", "precious\n");
  }
  void TearDown() override { log_switch = 0; }
  ScopedWorkDir dir_;
};

TEST_P(PlantedLogName, IsNeitherFollowedNorWritten) {
  GetParam().plant();
  EXPECT_FALSE(log_file_exists());
  rewrite_log(" header\r\n");
  trace([](Block& b) { b.record(" block"); });
  EXPECT_EQ(read_file("victim.txt"), "precious\n");
  EXPECT_FALSE(std::filesystem::exists("nowhere.txt"));
}

INSTANTIATE_TEST_SUITE_P(
    Refused, PlantedLogName,
    ::testing::Values(
        NotAPlainFile{
            "link_to_a_file",
            [] { std::filesystem::create_symlink("victim.txt", kFileName); }},
        NotAPlainFile{
            "link_to_nothing",
            [] { std::filesystem::create_symlink("nowhere.txt", kFileName); }},
        NotAPlainFile{
            "hard_link",
            [] { std::filesystem::create_hard_link("victim.txt", kFileName); }},
        NotAPlainFile{"link_to_a_folder",
                      [] {
                        std::filesystem::create_directory("folder");
                        std::filesystem::create_symlink("folder", kFileName);
                      }}),
    [](const auto& row) { return std::string(row.param.name); });

// A FIFO with a reader waiting: nothing may reach the reader, and nothing
// may wait for it.
TEST_F(TraceBlock, FifoWithAReaderGetsNothing) {
  ASSERT_EQ(::mkfifo(kFileName, 0600), 0);
  const int reader = ::open(kFileName, O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  EXPECT_FALSE(log_file_exists());
  log_switch = kSwitchOn;
  rewrite_log(" header\r\n");
  trace([](Block& b) { b.record(" block"); });
  char got[64];
  EXPECT_LE(::read(reader, got, sizeof got), 0);
  ::close(reader);
}
#endif

TEST_F(TraceBlock, RewriteReplacesContentsButNeverCreates) {
  rewrite_log("x\r\n");
  EXPECT_FALSE(std::filesystem::exists(kFileName));
  write_file(kFileName, std::string(10000, 'z'));
  rewrite_log("x\r\n");
  EXPECT_EQ(read_file(kFileName), "x\r\n");
}

TEST_F(TraceBlock, ExistenceTestDoesNotCreate) {
  EXPECT_FALSE(log_file_exists());
  EXPECT_FALSE(std::filesystem::exists(kFileName));
  write_file(kFileName, "");
  EXPECT_TRUE(log_file_exists());
}

}  // namespace
}  // namespace pipecorr::dbg
