// Outputs appear whole or not at all: an interrupted run leaves neither the
// output nor its temporary file, an earlier file keeps its permissions when
// replaced, and a folder in the output's place is named as such.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>

#include <array>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "files/output_file.hpp"
#include "files/output_set.hpp"
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

// A plug-in that calls exit() mid-run skips every destructor; the program's
// exit handler still removes the temporary file.
TEST(OutputFile, AnExitMidRunLeavesNothingBehind) {
  const ScopedWorkDir dir;
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    remove_unfinished_outputs_on_signals();
    // Static: still reachable at exit, as a leak checker wants it.
    static auto* out = new OutputFile(std::filesystem::path("table.csv"));
    out->write("half");
    std::exit(3);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 3);
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

// Standard output redirected into an input (`>> case`) is that input;
// redirected elsewhere it is not.
TEST(OutputSet, StandardOutputIntoAnInputIsRefused) {
  const ScopedWorkDir dir;
  write_file("in.case", "kept\n");
  write_file("other.txt", "");
  const std::array<OutputRequest, 1> table{{{std::nullopt, "table"}}};
  const std::array<InputRequest, 2> inputs{
      {{"-", "input table"}, {"in.case", "case file"}}};
  std::string refusal;
  std::fflush(stdout);
  const int saved = ::dup(STDOUT_FILENO);
  for (const char* into : {"other.txt", "in.case"}) {
    const int fd = ::open(into, O_WRONLY | O_APPEND);
    ::dup2(fd, STDOUT_FILENO);
    ::close(fd);
    try {
      check_outputs_spare_inputs(table, inputs);
    } catch (const Error& error) {
      refusal += std::string(into) + ": " + error.what();
    }
  }
  ::dup2(saved, STDOUT_FILENO);
  ::close(saved);
  EXPECT_EQ(refusal,
            "in.case: standard output is the case file 'in.case' this job "
            "reads; an output may not replace an input");
  EXPECT_EQ(read_file("in.case"), "kept\n");
}

}  // namespace
}  // namespace pipecorr::hostkit
