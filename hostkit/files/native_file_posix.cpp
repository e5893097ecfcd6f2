#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <system_error>

#include "files/native_file.hpp"

namespace pipecorr::hostkit::native {
namespace {

Kind kind_of_mode(mode_t mode) {
  if (S_ISREG(mode)) return Kind::kRegular;
  if (S_ISDIR(mode)) return Kind::kDirectory;
  if (S_ISLNK(mode)) return Kind::kLink;
  return Kind::kOther;
}

Kind kind_after(int status, const struct stat& info) {
  if (status == 0) return kind_of_mode(info.st_mode);
  return errno == ENOENT ? Kind::kMissing : Kind::kUnreadable;
}

Identity identity_after(int status, const struct stat& info) {
  Identity identity;
  if (status != 0) return identity;
  identity.known = true;
  identity.stream = S_ISCHR(info.st_mode) || S_ISSOCK(info.st_mode);
  identity.device = static_cast<unsigned long long>(info.st_dev);
  identity.number = static_cast<unsigned long long>(info.st_ino);
  return identity;
}

int open_retrying(const char* path, int flags, mode_t mode = 0) {
  int fd;
  do {
    fd = ::open(path, flags, mode);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

}  // namespace

Kind kind_of(const std::filesystem::path& path) {
  struct stat info {};
  return kind_after(::stat(path.c_str(), &info), info);
}

Identity identity_of(const std::filesystem::path& path) {
  struct stat info {};
  return identity_after(::stat(path.c_str(), &info), info);
}

Identity identity_of_standard(bool output) {
  struct stat info {};
  return identity_after(::fstat(output ? STDOUT_FILENO : STDIN_FILENO, &info),
                        info);
}

Kind entry_kind(const std::filesystem::path& path) {
  struct stat info {};
  return kind_after(::lstat(path.c_str(), &info), info);
}

unsigned long name_count(const std::filesystem::path& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0) return 0;
  return static_cast<unsigned long>(info.st_nlink);
}

int open_for_reading(const std::filesystem::path& path, bool regular_only) {
  const int fd = open_retrying(
      path.c_str(), O_RDONLY | O_CLOEXEC | (regular_only ? O_NONBLOCK : 0));
  if (fd < 0 || !regular_only) return fd;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    errno = EINVAL;
    return -1;
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return fd;
}

int open_for_writing(const std::filesystem::path& path) {
  return open_retrying(path.c_str(), O_WRONLY | O_CLOEXEC);
}

int create_new(const std::filesystem::path& path) {
  return open_retrying(
      path.c_str(),
      O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
}

void copy_permissions(int fd, const std::filesystem::path& from) {
  struct stat existing {};
  if (::stat(from.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) {
    ::fchmod(fd, existing.st_mode & 07777);
  }
}

int standard_input() { return STDIN_FILENO; }

long read_some(int fd, char* buffer, std::size_t size) {
  ssize_t got;
  do {
    got = ::read(fd, buffer, size);
  } while (got < 0 && errno == EINTR);
  return static_cast<long>(got);
}

long write_some(int fd, const char* data, std::size_t size) {
  ssize_t written;
  do {
    written = ::write(fd, data, size);
  } while (written < 0 && errno == EINTR);
  return static_cast<long>(written);
}

int close_file(int fd) { return ::close(fd); }

int remove_file(const std::filesystem::path::value_type* path) {
  return ::unlink(path);
}

std::string replace_file(const std::filesystem::path& from,
                         const std::filesystem::path& to) {
  if (::rename(from.c_str(), to.c_str()) == 0) return {};
  return reason(errno);
}

bool same_file(const std::filesystem::path& a, const std::filesystem::path& b) {
  struct stat ia {};
  struct stat ib {};
  return ::stat(a.c_str(), &ia) == 0 && ::stat(b.c_str(), &ib) == 0 &&
         ia.st_dev == ib.st_dev && ia.st_ino == ib.st_ino;
}

std::string write_refusal(const std::filesystem::path& path) {
  if (::access(path.c_str(), W_OK) == 0) return {};
  return reason(errno);
}

unsigned long process_id() { return static_cast<unsigned long>(::getpid()); }

namespace {

// Default action "end the program" (with or without a core file), and
// catchable. SIGKILL and SIGSTOP cannot be caught; stopping, continuing
// and SIGCHLD or SIGWINCH do not end a program.
constexpr int kEndingSignals[] = {SIGHUP,    SIGINT,  SIGQUIT, SIGILL,  SIGABRT,
                                  SIGBUS,    SIGFPE,  SIGUSR1, SIGSEGV, SIGUSR2,
                                  SIGPIPE,   SIGALRM, SIGTERM, SIGXCPU, SIGXFSZ,
                                  SIGVTALRM, SIGPROF, SIGSYS};

sigset_t ending_signals() {
  sigset_t set;
  sigemptyset(&set);
  for (const int number : kEndingSignals) sigaddset(&set, number);
  return set;
}

}  // namespace

void on_termination_signals(void (*handler)(int)) {
  struct sigaction action {};
  action.sa_handler = handler;
  action.sa_mask = ending_signals();
  for (const int number : kEndingSignals) {
    struct sigaction current {};
    if (::sigaction(number, nullptr, &current) != 0) continue;
    if ((current.sa_flags & SA_SIGINFO) != 0 || current.sa_handler != SIG_DFL) {
      continue;
    }
    ::sigaction(number, &action, nullptr);
  }
}

void hold_termination_signals(bool hold) {
  thread_local sigset_t before;
  if (hold) {
    const sigset_t held = ending_signals();
    ::pthread_sigmask(SIG_BLOCK, &held, &before);
  } else {
    ::pthread_sigmask(SIG_SETMASK, &before, nullptr);
  }
}

std::string reason(int error) {
  return std::error_code(error, std::generic_category()).message();
}

}  // namespace pipecorr::hostkit::native
