// A host session against the built plug-in: loaded at run time, every name
// resolved through the public header's pointer types, and the whole log
// file compared byte for byte.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <string>

#include "pipecorr/pipecorr.h"
#include "support/plugin_library.hpp"
#include "support/work_dir.hpp"

namespace {

using pipecorr::testing::PluginLibrary;
using pipecorr::testing::read_file;
using pipecorr::testing::ScopedWorkDir;
using pipecorr::testing::write_file;

std::string g_library_path;

std::string padded(const std::string& text, std::size_t length) {
  return text + std::string(length - text.size(), ' ');
}

std::string stamp(std::time_t t) {
  std::tm tm{};
#if defined(_WIN32)
  localtime_s(&tm, &t);
#else
  localtime_r(&t, &tm);
#endif
  char line[64];
  std::snprintf(line, sizeof line, " %02d:%02d:%02d     %02d/%02d/%4d\r\n",
                tm.tm_hour, tm.tm_min, tm.tm_sec, tm.tm_mday, tm.tm_mon + 1,
                tm.tm_year + 1900);
  return line;
}

class HostSession : public ::testing::Test {
 protected:
  void SetUp() override {
    describe_ = plugin_.entry<pipecorr_descriptn_fn>("DESCRIPTN_2");
    copyright_i_ = plugin_.entry<pipecorr_copyright_fn>("COPYRIGHT_I");
    copyright_e_ = plugin_.entry<pipecorr_copyright_fn>("COPYRIGHT_E");
    setup_ = plugin_.entry<pipecorr_run_fn>("CORR_INT_SETUP");
    cleanup_ = plugin_.entry<pipecorr_run_fn>("CORR_INT_CLEANUP");
    ASSERT_TRUE(describe_ && copyright_i_ && copyright_e_ && setup_ &&
                cleanup_);
  }

  void run_session() {
    char names[3 * 40];
    char descs[3 * 80];
    int32_t types[3];
    int32_t link[3];
    int32_t lines = 0;
    char id_lines[8 * 80];
    int32_t count = 0;
    describe_(names, 0, types, descs, 0, link, &lines);
    setup_();
    describe_(names, 12345, types, descs, -1, link, &lines);
    copyright_i_(id_lines, 80, &count);
    copyright_e_(id_lines, 0, &count);
    cleanup_();
    EXPECT_EQ(lines, 3);
    EXPECT_EQ(count, 8);
  }

  PluginLibrary plugin_{g_library_path};
  ScopedWorkDir dir_;
  pipecorr_descriptn_fn describe_ = nullptr;
  pipecorr_copyright_fn copyright_i_ = nullptr;
  pipecorr_copyright_fn copyright_e_ = nullptr;
  pipecorr_run_fn setup_ = nullptr;
  pipecorr_run_fn cleanup_ = nullptr;
};

TEST_F(HostSession, WithoutLogFileNothingIsCreated) {
  run_session();
  EXPECT_FALSE(std::filesystem::exists("usercorr.dbg"));
  EXPECT_TRUE(std::filesystem::is_empty(dir_.path()));
}

TEST_F(HostSession, WithLogFileTheWholeTraceIsExact) {
  write_file("usercorr.dbg", "stale contents of an earlier run\r\n");
  const std::time_t before = std::time(nullptr);
  run_session();
  const std::time_t after = std::time(nullptr);

  std::string body;
  body += "  Entering DESCRIPTN_2\r\n  \r\n  lines of info =           3\r\n";
  body += "  names = \r\n";
  for (const char* n : {"BB_2", "BB_3", "ORBA_3"}) {
    body += "     " + padded(n, 40) + "\r\n";
  }
  body += "  \r\n  types = \r\n         1\r\n         1\r\n         1\r\n";
  body += "  \r\n  descriptions = \r\n";
  for (const char* d : {"Beggs & Brill Revised from USERDLL",
                        "real*8 Beggs & Brill Revised from USERDLL",
                        "32-bit ORBA Correlation"}) {
    body += "     " + padded(d, 80) + "\r\n";
  }
  body += "  \r\n  link info = \r\n         2\r\n         3\r\n         3\r\n";
  body += "  \r\n leaving DESCRIPTN_2\r\n";
  body += "  Entering COPYRIGHT_I\r\n  Entering COPYRIGHT_E\r\n";
  body += "  Leaving CORR_INT_CLEANUP\r\n";

  const std::string log = read_file("usercorr.dbg");
  bool matched = false;
  for (std::time_t t = before; t <= after && !matched; ++t) {
    matched =
        log == "  Entering CORR_INT_SETUP\r\n" + stamp(t) + "\r\n  \r\n" + body;
  }
  EXPECT_TRUE(matched) << log;
}

TEST_F(HostSession, LongerHostBuffersKeepTheirTail) {
  char errmsg_like[8 * 80 + 16];
  std::memset(errmsg_like, '#', sizeof errmsg_like);
  int32_t count = 0;
  copyright_i_(errmsg_like, 0, &count);
  EXPECT_EQ(std::string(errmsg_like + 8 * 80, 16), std::string(16, '#'));
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  g_library_path = pipecorr::testing::plugin_path_from(argc, argv);
  return RUN_ALL_TESTS();
}
