// However the program is ended while an output is half written, no hidden
// temporary file stays behind and the earlier file (here: none) is kept:
// each signal that ends a program and can be caught, a pipe that breaks
// under the table, the file-size limit, and a write that fails. A signal
// the program was started with ignored stays ignored. Every run happens in
// a temporary folder, started by the test launcher.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <ostream>
#include <string>
#include <thread>

#include "cli/pipecorr_runner.hpp"
#include "support/work_dir.hpp"

namespace {

using pipecorr::testing::expand;
using pipecorr::testing::ProgramRun;
using pipecorr::testing::ScopedWorkDir;
using pipecorr::testing::StartedProgram;
using pipecorr::testing::StartOptions;
using pipecorr::testing::write_file;

constexpr const char* kTable =
    "usl,usg,rol,rog,visl,visg,eps,sigma,diam,fi,p\n"
    "1,2,1000,10,1e-3,1e-5,0,0.07,0.1,10,2e5\n";

// Names of the hidden temporary files outputs are written to.
std::size_t temporaries() {
  std::size_t count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(".")) {
    const std::string name = entry.path().filename().string();
    if (name.starts_with(".") && name.find(".pipecorr-") != std::string::npos) {
      ++count;
    }
  }
  return count;
}

// Waits (bounded) until the program has created its temporary output.
bool temporary_appears() {
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (std::chrono::steady_clock::now() < deadline) {
    if (temporaries() > 0) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return false;
}

struct Ending {
  const char* name;
  int signal;
};

void PrintTo(const Ending& row, std::ostream* out) { *out << row.name; }

class EndedBySignal : public ::testing::TestWithParam<Ending> {};

// batch opens its output before it reads standard input, so it waits there
// holding the temporary file when the signal comes.
TEST_P(EndedBySignal, LeavesNoTemporaryFile) {
  const ScopedWorkDir dir;
  StartedProgram program(PIPECORR_PROGRAM,
                         expand("--lib {mini} batch - -o out.csv"));
  ASSERT_TRUE(program.started());
  ASSERT_TRUE(temporary_appears());
  program.signal(GetParam().signal);
  const ProgramRun run = program.wait();
  EXPECT_EQ(run.status, 128 + GetParam().signal) << run.err;
  EXPECT_EQ(temporaries(), 0U);
  EXPECT_FALSE(std::filesystem::exists("out.csv"));
}

INSTANTIATE_TEST_SUITE_P(
    Signals, EndedBySignal,
    ::testing::Values(Ending{"hang_up", SIGHUP}, Ending{"interrupt", SIGINT},
                      Ending{"quit", SIGQUIT}, Ending{"terminate", SIGTERM},
                      Ending{"user_1", SIGUSR1}, Ending{"user_2", SIGUSR2},
                      Ending{"broken_pipe", SIGPIPE}, Ending{"alarm", SIGALRM},
                      Ending{"file_size_limit", SIGXFSZ},
                      Ending{"cpu_time_limit", SIGXCPU},
                      Ending{"abort", SIGABRT}),
    [](const auto& row) { return std::string(row.param.name); });

// A signal ignored at the start (as nohup leaves SIGHUP; here SIGUSR1,
// which no wrapper touches) is not taken over: the run goes on and ends
// well.
TEST(EndedBySignal, OneIgnoredAtTheStartStaysIgnored) {
  const ScopedWorkDir dir;
  StartOptions options;
  options.ignored_signal = SIGUSR1;
  StartedProgram program(
      PIPECORR_PROGRAM, expand("--lib {mini} batch - -o out.csv"), 60, options);
  ASSERT_TRUE(temporary_appears());
  program.signal(SIGUSR1);
  program.write_input(kTable);
  const ProgramRun run = program.wait();
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(temporaries(), 0U);
  EXPECT_TRUE(std::filesystem::exists("out.csv"));
}

// `pipecorr traverse CASE -o h.csv | head -2`: the table breaks the pipe
// while the station table is still a temporary file.
TEST(EndedByItsOutput, ABrokenPipeUnderTheTable) {
  const ScopedWorkDir dir;
  StartOptions options;
  options.output_pipe_closed = true;
  StartedProgram program(
      PIPECORR_PROGRAM,
      expand("--lib {mini} traverse {examples}/deviated_well.case -o h.csv"),
      60, options);
  const ProgramRun run = program.wait();
  EXPECT_EQ(run.status, 128 + SIGPIPE) << run.err;
  EXPECT_EQ(temporaries(), 0U);
  EXPECT_FALSE(std::filesystem::exists("h.csv"));
}

// A file-size limit below the table's size: the signal it raises, or the
// write error when that signal is ignored.
TEST(EndedByItsOutput, TheFileSizeLimit) {
  const ScopedWorkDir dir;
  write_file("in.csv", kTable);  // its output is about 200 bytes
  for (const bool ignored : {false, true}) {
    StartOptions options;
    options.file_size_limit = 100;
    if (ignored) options.ignored_signal = SIGXFSZ;
    StartedProgram program(PIPECORR_PROGRAM,
                           expand("--lib {mini} batch in.csv -o out.csv"), 60,
                           options);
    const ProgramRun run = program.wait();
    // The limit holds for err.txt too: the message may be cut short.
    EXPECT_EQ(run.status, ignored ? 1 : 128 + SIGXFSZ) << run.err;
    EXPECT_EQ(temporaries(), 0U) << ignored;
    EXPECT_FALSE(std::filesystem::exists("out.csv"));
  }
}

}  // namespace
