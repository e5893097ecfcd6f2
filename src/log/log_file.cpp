// File access of the debug log. The file is only ever opened when it
// already exists: the user switches the log on by creating it, so the
// library must never create it, and a log that vanished mid-run is simply
// not written.
#include <cstddef>
#include <string_view>

#include "log/debug_log.hpp"

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace pipecorr::dbg {
namespace {

#if defined(_WIN32)
int open_existing(bool truncate) noexcept {
  // Binary: the records carry their own CR LF; no conversion may add one.
  const int flags = _O_WRONLY | _O_BINARY | (truncate ? _O_TRUNC : _O_APPEND);
  return _open(file_name(), flags);
}

void write_all(int fd, std::string_view text) noexcept {
  const char* p = text.data();
  std::size_t left = text.size();
  while (left > 0) {
    const unsigned chunk =
        left > 0x10000000U ? 0x10000000U : static_cast<unsigned>(left);
    const int written = _write(fd, p, chunk);
    if (written <= 0) return;
    p += written;
    left -= static_cast<std::size_t>(written);
  }
}

void close_file(int fd) noexcept { _close(fd); }
#else
int open_existing(bool truncate) noexcept {
  // Non-blocking so that a FIFO without a reader cannot hang the host.
  const int flags =
      O_WRONLY | O_CLOEXEC | O_NONBLOCK | (truncate ? O_TRUNC : O_APPEND);
  int fd;
  do {
    fd = ::open(file_name(), flags);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

void write_all(int fd, std::string_view text) noexcept {
  const char* p = text.data();
  std::size_t left = text.size();
  while (left > 0) {
    const ssize_t written = ::write(fd, p, left);
    if (written < 0 && errno == EINTR) continue;
    // Disk full, a broken pipe or any other failure: the rest of the
    // block is dropped.
    if (written <= 0) return;
    p += written;
    left -= static_cast<std::size_t>(written);
  }
}

void close_file(int fd) noexcept { ::close(fd); }
#endif

void write_existing(std::string_view text, bool truncate) noexcept {
  const int fd = open_existing(truncate);
  if (fd < 0) return;
  write_all(fd, text);
  close_file(fd);
}

}  // namespace

void append_to_log(std::string_view text) noexcept {
  write_existing(text, false);
}

void rewrite_log(std::string_view text) noexcept { write_existing(text, true); }

bool log_file_exists() noexcept {
#if defined(_WIN32)
  return _access(file_name(), 0) == 0;
#else
  return ::access(file_name(), F_OK) == 0;
#endif
}

}  // namespace pipecorr::dbg
