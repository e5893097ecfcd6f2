// Outputs appear whole or not at all: an interrupted run leaves neither the
// output nor its temporary file, an earlier file keeps its permissions when
// replaced, and a folder in the output's place is named as such.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <string>

#include "files/output_file.hpp"
#include "support/work_dir.hpp"
#include "text/error.hpp"

namespace pipecorr::hostkit {
namespace {

using pipecorr::testing::read_file;
using pipecorr::testing::ScopedWorkDir;
using pipecorr::testing::write_file;

std::size_t entries() {
  return static_cast<std::size_t>(
      std::distance(std::filesystem::directory_iterator("."),
                    std::filesystem::directory_iterator()));
}

TEST(OutputFile, AnInterruptedRunLeavesNothingBehind) {
  const ScopedWorkDir dir;
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    remove_unfinished_outputs_on_signals();
    OutputFile out(std::filesystem::path("table.csv"));
    out.write(std::string(1 << 20, 'x'));
    std::raise(SIGINT);
    ::_exit(0);  // not reached: the signal ends the child
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGINT);
  EXPECT_EQ(entries(), 0U);
}

TEST(OutputFile, AFailedRunKeepsTheEarlierFileAndItsPermissions) {
  const ScopedWorkDir dir;
  write_file("report.txt", "earlier\n");
  std::filesystem::permissions(
      "report.txt",
      std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  {
    OutputFile out(std::filesystem::path("report.txt"));
    out.write("half");
  }  // destroyed without commit
  EXPECT_EQ(read_file("report.txt"), "earlier\n");
  EXPECT_EQ(entries(), 1U);
  write_output(std::filesystem::path("report.txt"), "new\n");
  EXPECT_EQ(read_file("report.txt"), "new\n");
  EXPECT_EQ(
      std::filesystem::status("report.txt").permissions(),
      std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
}

TEST(OutputFile, AFolderInItsPlaceIsNamed) {
  const ScopedWorkDir dir;
  std::filesystem::create_directory("out");
  try {
    OutputFile out(std::filesystem::path("out"), "map picture");
    FAIL() << "opened a folder as output";
  } catch (const Error& error) {
    EXPECT_STREQ(error.what(), "map picture 'out' is a directory");
  }
}

}  // namespace
}  // namespace pipecorr::hostkit
