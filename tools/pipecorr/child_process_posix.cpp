// Children by fork(): the child runs the job in the same program image, in
// a private working folder and a process group of its own, its standard
// output and error sent to a file there so a plug-in's own printing cannot
// mix into the report. Whatever the child started is killed with its group
// when the child ends.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#if defined(__linux__)
#include <sys/prctl.h>
#endif

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <filesystem>

#include "child_process.hpp"

namespace pipecorr::hostkit {
namespace {

// How often the parent looks whether the child has exited while the record
// pipe stays open: a process the plug-in started may hold the pipe after
// the child has gone.
constexpr std::chrono::milliseconds kExitPoll{20};

class FdSink : public RecordSink {
 public:
  explicit FdSink(int fd) : fd_(fd) {}

 protected:
  void put(std::string_view line) override {
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
    case SIGPIPE:
      return "SIGPIPE (a write to a pipe nobody reads)";
    default:
      return "signal " + std::to_string(number);
  }
}

[[noreturn]] void be_the_child(const ChildJob& job,
                               const std::filesystem::path& folder, int records,
                               pid_t parent) {
  // A group of its own, so that the parent can end everything the plug-in
  // starts; and the end of the child when the parent dies, so that a hung
  // plug-in does not outlive an interrupted check.
  ::setpgid(0, 0);
#if defined(__linux__)
  ::prctl(PR_SET_PDEATHSIG, SIGKILL);
  if (::getppid() != parent) ::_exit(125);
#else
  static_cast<void>(parent);
#endif
  if (::chdir(folder.c_str()) != 0) ::_exit(125);
  // Out of the terminal's way: a background group reading it would stop.
  const int nothing = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
  if (nothing >= 0) ::dup2(nothing, STDIN_FILENO);
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
  ::_exit(run_child_job(job, sink) ? 0 : kUnfinishedJobStatus);
}

// Whether the child has exited, without reaping it: its process group
// stays valid for the kill that follows.
bool has_exited(pid_t pid) {
  siginfo_t info{};
  while (true) {
    const int got = ::waitid(P_PID, static_cast<id_t>(pid), &info,
                             WEXITED | WNOHANG | WNOWAIT);
    if (got < 0 && errno == EINTR) continue;
    return got == 0 && info.si_pid == pid;
  }
}

// Reads what is in the pipe now, without waiting; false at its end.
bool drain(int fd, std::string& records) {
  char buffer[1 << 14];
  while (true) {
    pollfd watch{fd, POLLIN, 0};
    const int ready = ::poll(&watch, 1, 0);
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return true;
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    records.append(buffer, static_cast<std::size_t>(got));
  }
}

ChildRun run_child(const ChildJob& job, std::chrono::milliseconds silence,
                   CheckClock::time_point deadline) {
  ChildRun run;
  std::filesystem::path folder;
  try {
    folder = private_folder();
  } catch (const std::exception& error) {
    run.end = {ChildEnd::Kind::kNotStarted, 0,
               std::string("no working folder for a child: ") + error.what()};
    return run;
  }
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
  const pid_t parent = ::getpid();
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::close(fds[0]);
    be_the_child(job, folder, fds[1], parent);
  }
  ::close(fds[1]);
  if (pid < 0) {
    ::close(fds[0]);
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    run.end = {ChildEnd::Kind::kNotStarted, 0, "cannot fork a child"};
    return run;
  }
  // Both sides set the group, so that it exists before either goes on.
  ::setpgid(pid, pid);

  auto quiet_until = CheckClock::now() + silence;
  bool timed_out = false;
  bool stopped = false;
  bool open = true;
  char buffer[1 << 14];
  while (true) {
    const auto now = CheckClock::now();
    if (now >= deadline) {
      stopped = true;
      break;
    }
    if (now >= quiet_until) {
      timed_out = true;
      break;
    }
    if (!open || has_exited(pid)) break;
    auto wait = std::min(quiet_until, deadline) - now;
    wait = std::min<CheckClock::duration>(wait, kExitPoll);
    const auto wait_ms = std::max<long long>(
        1, std::chrono::duration_cast<std::chrono::milliseconds>(wait).count());
    pollfd watch{fds[0], POLLIN, 0};
    const int ready = ::poll(&watch, 1, static_cast<int>(wait_ms));
    if (ready <= 0) continue;  // nothing yet, or a signal
    const ssize_t got = ::read(fds[0], buffer, sizeof buffer);
    if (got < 0) continue;
    if (got == 0) {
      // Every writer closed the pipe: the child has ended or is ending.
      open = false;
      while (!has_exited(pid) && CheckClock::now() < quiet_until &&
             CheckClock::now() < deadline) {
        ::poll(nullptr, 0, 1);
      }
      continue;
    }
    run.records.append(buffer, static_cast<std::size_t>(got));
    quiet_until = CheckClock::now() + silence;
  }
  // The child's group: the child if it still runs, and whatever it started
  // that is still there.
  ::kill(-pid, SIGKILL);
  ::kill(pid, SIGKILL);
  drain(fds[0], run.records);
  ::close(fds[0]);
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  const double seconds = static_cast<double>(silence.count()) / 1000.0;
  if (stopped) {
    run.end = {ChildEnd::Kind::kStopped, 0,
               "stopped when the run's bound was reached"};
  } else if (timed_out) {
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

ChildRunner make_child_runner(std::chrono::milliseconds silence) {
  return [silence](const ChildJob& job, CheckClock::time_point deadline) {
    return run_child(job, silence, deadline);
  };
}

int run_check_child(const ChildJob& job,
                    std::optional<std::uintptr_t> record_handle) {
  FdSink sink(record_handle ? static_cast<int>(*record_handle) : STDOUT_FILENO);
  return run_child_job(job, sink) ? 0 : kUnfinishedJobStatus;
}

}  // namespace pipecorr::hostkit
