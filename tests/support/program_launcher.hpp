// How tests start another program: the one place that does. A cross build's
// program always runs through that build's emulator (qemu-i386 for the i386
// build), so the suite takes the same path on a kernel that could start it
// directly and on one that cannot; and a program that hangs is stopped by
// the launcher instead of holding the suite. run_program runs one to its
// end; StartedProgram (POSIX) starts one that a test signals, feeds or
// starves while it runs.
#pragma once

#include <cstdlib>
#include <string>
#include <string_view>

#include "support/work_dir.hpp"

#if !defined(_WIN32)
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <thread>
#endif

#ifndef PIPECORR_TEST_EMULATOR
#error "the build names its emulator (empty for a native build)"
#endif

namespace pipecorr::testing {

// Status of a run the launcher had to stop (as coreutils' timeout reports).
inline constexpr int kTimedOut = 124;

// The build's emulator command, words separated by blanks; empty natively.
inline std::string_view emulator() { return PIPECORR_TEST_EMULATOR; }

inline std::string shell_quoted(std::string_view word) {
  std::string quoted = "'";
  for (const char c : word) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted += c;
    }
  }
  return quoted + "'";
}

// The shell words that run `program` with `arguments` (shell words, may
// hold redirections of standard input) under the build's emulator.
inline std::string emulated_command(std::string_view program,
                                    std::string_view arguments) {
  std::string line;
  if (!emulator().empty()) line += std::string(emulator()) + " ";
  line += shell_quoted(program);
  if (!arguments.empty()) line += " " + std::string(arguments);
  return line;
}

// The shell command that runs it under a timeout, its output captured in
// out.txt and err.txt of the working directory.
inline std::string command_line(std::string_view program,
                                std::string_view arguments,
                                int timeout_seconds) {
  return "timeout -k 5 " + std::to_string(timeout_seconds) + " " +
         emulated_command(program, arguments) + " >out.txt 2>err.txt";
}

struct ProgramRun {
  int status = -1;  // exit status; kTimedOut when stopped
  std::string out;
  std::string err;
};

inline ProgramRun run_program(std::string_view program,
                              std::string_view arguments,
                              int timeout_seconds = 60) {
  const int raw =
      std::system(command_line(program, arguments, timeout_seconds).c_str());
  ProgramRun run;
#if defined(_WIN32)
  run.status = raw;
#else
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
#endif
  run.out = read_file("out.txt");
  run.err = read_file("err.txt");
  return run;
}

#if !defined(_WIN32)
// How a started program begins: what its standard output is, which limit
// and which ignored signal it inherits.
struct StartOptions {
  // Standard output into a pipe whose reader has already gone, so that
  // its first write breaks the pipe; otherwise out.txt.
  bool output_pipe_closed = false;
  long file_size_limit = -1;  // bytes; < 0: none
  int ignored_signal = 0;     // started with this signal ignored; 0: none
};

// A program started in the background, in a process group of its own, for
// tests that signal it or starve it while it runs. The shell that starts
// it becomes the program (or its emulator), so a signal reaches the
// program itself and its status is the program's own; the deadline is
// kept here instead of by a timeout wrapper. Its standard input is a pipe
// the test feeds (nothing until write_input, end at close_input or wait),
// so a program reading it waits there. Standard error goes to err.txt.
// Never leaves a process behind.
class StartedProgram {
 public:
  StartedProgram(std::string_view program, std::string_view arguments,
                 int timeout_seconds = 60, StartOptions options = {})
      : deadline_(std::chrono::steady_clock::now() +
                  std::chrono::seconds(timeout_seconds)) {
    const std::string line = "exec " + emulated_command(program, arguments) +
                             (options.output_pipe_closed ? "" : " >out.txt") +
                             " 2>err.txt";
    int input[2];
    int output[2];
    if (::pipe2(input, O_CLOEXEC) != 0) return;
    if (::pipe2(output, O_CLOEXEC) != 0) {
      ::close(input[0]);
      ::close(input[1]);
      return;
    }
    pid_ = ::fork();
    if (pid_ == 0) {
      ::setpgid(0, 0);
      ::dup2(input[0], STDIN_FILENO);
      if (options.output_pipe_closed) ::dup2(output[1], STDOUT_FILENO);
      // No core files in the test's folder from the signals that make one.
      const rlimit no_core{0, 0};
      ::setrlimit(RLIMIT_CORE, &no_core);
      if (options.file_size_limit >= 0) {
        const auto limit = static_cast<rlim_t>(options.file_size_limit);
        const rlimit size{limit, limit};
        ::setrlimit(RLIMIT_FSIZE, &size);
      }
      if (options.ignored_signal != 0) {
        ::signal(options.ignored_signal, SIG_IGN);
      }
      ::execl("/bin/sh", "sh", "-c", line.c_str(), static_cast<char*>(nullptr));
      ::_exit(127);
    }
    if (pid_ > 0) ::setpgid(pid_, pid_);
    ::close(input[0]);
    ::close(output[0]);  // the reader is gone before the program starts
    ::close(output[1]);
    input_ = input[1];
  }
  ~StartedProgram() {
    close_input();
    if (pid_ > 0 && !ended_) {
      ::kill(-pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
  }
  StartedProgram(const StartedProgram&) = delete;
  StartedProgram& operator=(const StartedProgram&) = delete;

  [[nodiscard]] bool started() const { return pid_ > 0; }

  // A program that has ended takes no more: the rest is dropped, and the
  // test is not ended by the broken pipe.
  void write_input(std::string_view text) {
    const auto previous = std::signal(SIGPIPE, SIG_IGN);
    while (input_ >= 0 && !text.empty()) {
      const auto n = ::write(input_, text.data(), text.size());
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      text.remove_prefix(static_cast<std::size_t>(n));
    }
    std::signal(SIGPIPE, previous);
  }
  void close_input() {
    if (input_ >= 0) ::close(input_);
    input_ = -1;
  }

  void signal(int number) const {
    if (pid_ > 0) ::kill(-pid_, number);
  }

  // Waits for the program to end, killing it at the deadline. The status
  // is its exit code, 128 + the signal that ended it, or kTimedOut.
  ProgramRun wait() {
    close_input();
    ProgramRun run;
    if (pid_ <= 0) return run;
    int raw = 0;
    bool timed_out = false;
    while (true) {
      const pid_t done = ::waitpid(pid_, &raw, WNOHANG);
      if (done == pid_ || (done < 0 && errno != EINTR)) break;
      if (std::chrono::steady_clock::now() > deadline_) {
        ::kill(-pid_, SIGKILL);
        ::waitpid(pid_, &raw, 0);
        timed_out = true;
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    ended_ = true;
    run.status = timed_out          ? kTimedOut
                 : WIFEXITED(raw)   ? WEXITSTATUS(raw)
                 : WIFSIGNALED(raw) ? 128 + WTERMSIG(raw)
                                    : -1;
    run.out = read_file("out.txt");
    run.err = read_file("err.txt");
    return run;
  }

 private:
  pid_t pid_ = -1;
  int input_ = -1;
  bool ended_ = false;
  std::chrono::steady_clock::time_point deadline_;
};
#endif

}  // namespace pipecorr::testing
