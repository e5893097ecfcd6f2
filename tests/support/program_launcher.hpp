// How tests start another program: the one place that does. A cross build's
// program always runs through that build's emulator (qemu-i386 for the i386
// build), so the suite takes the same path on a kernel that could start it
// directly and on one that cannot; and a program that hangs is stopped by
// the launcher instead of holding the suite.
#pragma once

#include <cstdlib>
#include <string>
#include <string_view>

#include "support/work_dir.hpp"

#if !defined(_WIN32)
#include <sys/wait.h>
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

// The shell command that runs `program` with `arguments` (shell words, may
// hold redirections of standard input), its output captured in out.txt and
// err.txt of the working directory.
inline std::string command_line(std::string_view program,
                                std::string_view arguments,
                                int timeout_seconds) {
  std::string line = "timeout -k 5 " + std::to_string(timeout_seconds) + " ";
  if (!emulator().empty()) line += std::string(emulator()) + " ";
  line += shell_quoted(program);
  if (!arguments.empty()) line += " " + std::string(arguments);
  return line + " >out.txt 2>err.txt";
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

}  // namespace pipecorr::testing
