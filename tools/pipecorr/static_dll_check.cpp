#include "static_dll_check.hpp"

#include <cstdio>
#include <string_view>
#include <vector>

#include "command.hpp"
#include "files/input_file.hpp"
#include "files/output_file.hpp"
#include "text/error.hpp"
#include "text/escape.hpp"

#if !defined(_WIN32)
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#endif

#ifndef PIPECORR_CHECK_DLL_SCRIPT
#error "the build names the DLL check script"
#endif

namespace pipecorr::hostkit {
namespace {

// The interface's own routines with their stack words; the identification
// blocks are optional, and every other export counts as a correlation.
constexpr const char* kInterfaceExports =
    "CORR_INT_CLEANUP:-:0,CORR_INT_SETUP:-:0,COPYRIGHT_E:-:3,"
    "COPYRIGHT_I:-:3,DESCRIPTN_2:-:7";
constexpr const char* kOptionalExports = "COPYRIGHT_E,COPYRIGHT_I";
constexpr const char* kCorrelationWords = "19";
constexpr const char* kObjdump = "i686-w64-mingw32-objdump";

struct Captured {
  int status = -1;
  std::string output;
};

#if !defined(_WIN32)
// Runs a program found on PATH, its output and errors captured together.
Captured run_captured(const std::vector<std::string>& words) {
  int fds[2];
  if (::pipe(fds) != 0) throw Error("cannot create a pipe");
  std::fflush(nullptr);
  const pid_t pid = ::fork();
  if (pid < 0) {
    ::close(fds[0]);
    ::close(fds[1]);
    throw Error("cannot start " + words.front());
  }
  if (pid == 0) {
    ::dup2(fds[1], STDOUT_FILENO);
    ::dup2(fds[1], STDERR_FILENO);
    ::close(fds[0]);
    ::close(fds[1]);
    std::vector<char*> argv;
    for (const auto& word : words)
      argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    ::execvp(argv[0], argv.data());
    std::fprintf(stderr, "cannot start %s\n", argv[0]);
    ::_exit(127);
  }
  ::close(fds[1]);
  Captured captured;
  char buffer[4096];
  while (true) {
    const ssize_t got = ::read(fds[0], buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    captured.output.append(buffer, static_cast<std::size_t>(got));
  }
  ::close(fds[0]);
  // A child that cannot be waited for has not passed.
  int status = 0;
  pid_t waited = -1;
  do {
    waited = ::waitpid(pid, &status, 0);
  } while (waited < 0 && errno == EINTR);
  captured.status =
      waited == pid && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return captured;
}
#else
Captured run_captured(const std::vector<std::string>&) {
  throw Error(
      "--static runs the MinGW objdump through cmake on the build machine; "
      "on Windows run cmake -P " PIPECORR_CHECK_DLL_SCRIPT " directly");
}
#endif

// The script's findings, one per line, without CMake's decoration.
std::vector<std::string> findings(std::string_view output) {
  std::vector<std::string> lines;
  while (!output.empty()) {
    const auto end = output.find('\n');
    std::string_view line = output.substr(0, end);
    output.remove_prefix(end == std::string_view::npos ? output.size()
                                                       : end + 1);
    while (!line.empty() && (line.front() == ' ' || line.front() == '-')) {
      line.remove_prefix(1);
    }
    if (line.empty() || line.rfind("CMake Error", 0) == 0) continue;
    lines.emplace_back(line);
  }
  return lines;
}

}  // namespace

int run_static_dll_check(const std::string& dll, bool json) {
  check_input_path(dll, "DLL", InputKind::kRegularFile);
  const Captured run = run_captured(
      {"cmake", std::string("-DOBJDUMP=") + kObjdump, "-DDLL=" + dll,
       std::string("-DEXPORTS=") + kInterfaceExports,
       std::string("-DOPTIONAL_EXPORTS=") + kOptionalExports,
       std::string("-DOTHER_EXPORT_WORDS=") + kCorrelationWords, "-DSTDCALL=ON",
       "-DCHECK_IMPORTS=OFF", "-P", PIPECORR_CHECK_DLL_SCRIPT});
  const bool passed = run.status == 0;
  const auto lines = findings(run.output);
  std::string out;
  if (json) {
    out = "{\"library\":" + json_string(dll) +
          ",\"checks\":[{\"subject\":null,\"check\":\"static-dll\","
          "\"verdict\":" +
          json_string(passed ? "passed" : "failed") + ",\"findings\":[";
    for (std::size_t k = 0; k < lines.size(); ++k) {
      if (k > 0) out += ",";
      out += json_string(lines[k]);
    }
    out += "]}]}\n";
  } else {
    out = "pipecorr check --static of " + for_terminal(dll) + "\n";
    out += std::string(passed ? "passed" : "failed") +
           "          static-dll                      export names and the "
           "stack words each export removes\n";
    for (const auto& line : lines)
      out += "                  " + for_terminal(line) + "\n";
    out += std::string("summary: ") +
           (passed ? "1 passed, 0 failed" : "0 passed, 1 failed") + "\n";
  }
  write_output(std::nullopt, out);
  return passed ? kExitDone : kExitUsage;
}

}  // namespace pipecorr::hostkit
