// Children by fork(): the child runs the job in the same program image, in
// a private working folder, its standard output and error sent to a file
// there so a plug-in's own printing cannot mix into the report.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <filesystem>

#include "child_process.hpp"

namespace pipecorr::hostkit {
namespace {

class FdSink : public RecordSink {
 public:
  explicit FdSink(int fd) : fd_(fd) {}
  void write_line(std::string_view line) override {
    std::string text(line);
    text += '\n';
    std::string_view rest = text;
    while (!rest.empty()) {
      const ssize_t written = ::write(fd_, rest.data(), rest.size());
      if (written < 0 && errno == EINTR) continue;
      if (written <= 0) return;  // the parent is gone
      rest.remove_prefix(static_cast<std::size_t>(written));
    }
  }

 private:
  int fd_;
};

std::string signal_text(int number) {
  switch (number) {
    case SIGFPE:
      return "SIGFPE (floating-point exception)";
    case SIGSEGV:
      return "SIGSEGV (segmentation fault)";
    case SIGBUS:
      return "SIGBUS (bus error)";
    case SIGILL:
      return "SIGILL (illegal instruction)";
    case SIGABRT:
      return "SIGABRT (abort)";
    case SIGKILL:
      return "SIGKILL";
    case SIGTRAP:
      return "SIGTRAP (breakpoint)";
    default:
      return "signal " + std::to_string(number);
  }
}

[[noreturn]] void be_the_child(const ChildJob& job,
                               const std::filesystem::path& folder,
                               int records) {
  if (::chdir(folder.c_str()) != 0) ::_exit(125);
  const int output =
      ::open("output.txt", O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (output >= 0) {
    ::dup2(output, STDOUT_FILENO);
    ::dup2(output, STDERR_FILENO);
  }
  // A crashing plug-in must not leave core files behind, and must end the
  // child by its signal even where the program handles such signals
  // itself (a sanitizer's handler would turn them into an exit status).
  const rlimit no_core{0, 0};
  ::setrlimit(RLIMIT_CORE, &no_core);
  for (const int number : {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT}) {
    ::signal(number, SIG_DFL);
  }
  FdSink sink(records);
  run_child_job(job, sink);
  ::_exit(0);
}

ChildRun run_child(const ChildJob& job, std::chrono::milliseconds timeout) {
  ChildRun run;
  const auto folder = private_folder();
  // Close-on-exec: a program the plug-in starts must not hold the record
  // pipe open after the child has ended.
  int fds[2];
  if (::pipe2(fds, O_CLOEXEC) != 0) {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    run.end = {ChildEnd::Kind::kNotStarted, 0, "no pipe for a child"};
    return run;
  }
  std::fflush(nullptr);
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::close(fds[0]);
    be_the_child(job, folder, fds[1]);
  }
  ::close(fds[1]);
  if (pid < 0) {
    ::close(fds[0]);
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    run.end = {ChildEnd::Kind::kNotStarted, 0, "cannot fork a child"};
    return run;
  }
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  bool timed_out = false;
  char buffer[1 << 14];
  while (true) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) {
      timed_out = true;
      break;
    }
    pollfd watch{fds[0], POLLIN, 0};
    const int ready = ::poll(&watch, 1, static_cast<int>(left.count()));
    if (ready < 0 && errno == EINTR) continue;
    if (ready == 0) continue;
    const ssize_t got = ::read(fds[0], buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    run.records.append(buffer, static_cast<std::size_t>(got));
  }
  if (timed_out) ::kill(pid, SIGKILL);
  ::close(fds[0]);
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  const double seconds = static_cast<double>(timeout.count()) / 1000.0;
  if (timed_out) {
    char text[64];
    std::snprintf(text, sizeof text, "no return within %g s (killed)", seconds);
    run.end = {ChildEnd::Kind::kTimedOut, 0, text};
  } else if (WIFSIGNALED(status)) {
    const int number = WTERMSIG(status);
    run.end = {
        number == SIGFPE ? ChildEnd::Kind::kTrapped : ChildEnd::Kind::kCrashed,
        number, "killed by " + signal_text(number)};
  } else {
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.end = {ChildEnd::Kind::kExited, code,
               "exit status " + std::to_string(code)};
  }
  return run;
}

}  // namespace

ChildRunner make_child_runner(std::chrono::milliseconds timeout) {
  return [timeout](const ChildJob& job) { return run_child(job, timeout); };
}

int run_check_child(const ChildJob& job,
                    std::optional<std::uintptr_t> record_handle) {
  FdSink sink(record_handle ? static_cast<int>(*record_handle) : STDOUT_FILENO);
  run_child_job(job, sink);
  return 0;
}

}  // namespace pipecorr::hostkit
