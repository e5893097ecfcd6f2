#include "files/input_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>

#include "text/error.hpp"
#include "text/escape.hpp"

namespace pipecorr::hostkit {
namespace {

std::string named(std::string_view what, const std::filesystem::path& path) {
  return std::string(what) + " '" + for_terminal(path.string()) + "'";
}

std::string reason(int error) {
  return std::error_code(error, std::generic_category()).message();
}

std::string read_all(int fd, const std::string& name) {
  std::string text;
  char buffer[1 << 16];
  while (true) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) throw Error("cannot read " + name + ": " + reason(errno));
    if (got == 0) break;
    text.append(buffer, static_cast<std::size_t>(got));
  }
  return text;
}

}  // namespace

bool is_standard_stream(const std::filesystem::path& path) {
  return path == "-";
}

void check_input_path(const std::filesystem::path& path, std::string_view what,
                      InputKind kind) {
  if (is_standard_stream(path)) {
    if (kind == InputKind::kFileOrStream) return;
    throw Error(std::string(what) + " must be a file, not standard input");
  }
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    const int error = errno;
    if (error == ENOENT) throw Error(named(what, path) + " does not exist");
    throw Error("cannot open " + named(what, path) + ": " + reason(error));
  }
  if (S_ISDIR(info.st_mode)) {
    throw Error(named(what, path) + " is a directory, not a file");
  }
  if (!S_ISREG(info.st_mode) && kind == InputKind::kRegularFile) {
    throw Error(named(what, path) +
                " is not a regular file (a pipe or a device cannot be " +
                std::string(what) + ")");
  }
}

std::string read_input(const std::filesystem::path& path, std::string_view what,
                       InputKind kind) {
  check_input_path(path, what, kind);
  const std::string name = is_standard_stream(path)
                               ? std::string(what) + " (standard input)"
                               : named(what, path);
  std::string text;
  if (is_standard_stream(path)) {
    text = read_all(STDIN_FILENO, name);
  } else {
    // Non-blocking for regular files only: a FIFO swapped in after the check
    // then fails the type test below instead of blocking in open().
    const int flags = O_RDONLY | O_CLOEXEC |
                      (kind == InputKind::kRegularFile ? O_NONBLOCK : 0);
    int fd;
    do {
      fd = ::open(path.c_str(), flags);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) throw Error("cannot open " + name + ": " + reason(errno));
    struct stat info {};
    if (::fstat(fd, &info) != 0 ||
        (kind == InputKind::kRegularFile && !S_ISREG(info.st_mode))) {
      ::close(fd);
      throw Error(name + " is not a regular file");
    }
    if (kind == InputKind::kRegularFile) {
      ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    }
    try {
      text = read_all(fd, name);
    } catch (...) {
      ::close(fd);
      throw;
    }
    ::close(fd);
  }
  // Spreadsheets often save CSV with a UTF-8 byte order mark, which would
  // otherwise become part of the first column's name.
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (std::string_view(text).substr(0, kByteOrderMark.size()) ==
      kByteOrderMark) {
    text.erase(0, kByteOrderMark.size());
  }
  return text;
}

}  // namespace pipecorr::hostkit
