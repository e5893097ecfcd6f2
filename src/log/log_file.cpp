// File access of the debug log. The file is only ever opened when it
// already exists: the user switches the log on by creating it, so the
// library must never create it, and a log that vanished mid-run is simply
// not written.
//
// The name is opened only when it is itself a regular file with no other
// name: never through a symbolic link (or reparse point), never a FIFO, a
// device or a folder, never a hard link to a file elsewhere. A link
// planted under that name in a shared working folder would otherwise make
// the host truncate and overwrite whatever it points to. Whatever stands
// there instead is left untouched and the block is dropped.
#include <cstddef>
#include <string_view>

#include "log/debug_log.hpp"

#if defined(_WIN32)
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace pipecorr::dbg {
namespace {

#if defined(_WIN32)
using Handle = HANDLE;
const Handle kNoFile = INVALID_HANDLE_VALUE;

// A file on disk, not a folder, not a reparse point, with one name.
bool is_plain_file(Handle file) noexcept {
  BY_HANDLE_FILE_INFORMATION info{};
  if (GetFileType(file) != FILE_TYPE_DISK ||
      !GetFileInformationByHandle(file, &info)) {
    return false;
  }
  constexpr DWORD kNotPlain =
      FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
  return (info.dwFileAttributes & kNotPlain) == 0 && info.nNumberOfLinks <= 1;
}

// The name itself (a reparse point is opened, not followed), checked
// before anything is written or cut.
Handle open_plain(DWORD access) noexcept {
  const Handle file = CreateFileA(
      file_name(), access,
      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT,
      nullptr);
  if (file == INVALID_HANDLE_VALUE) return kNoFile;
  if (!is_plain_file(file)) {
    CloseHandle(file);
    return kNoFile;
  }
  return file;
}

Handle open_existing(bool truncate) noexcept {
  // Appending access alone makes every write go to the end.
  const Handle file = open_plain(truncate ? GENERIC_WRITE : FILE_APPEND_DATA);
  if (file != kNoFile && truncate && !SetEndOfFile(file)) {
    CloseHandle(file);
    return kNoFile;
  }
  return file;
}

void write_all(Handle file, std::string_view text) noexcept {
  const char* p = text.data();
  std::size_t left = text.size();
  while (left > 0) {
    const DWORD chunk =
        left > 0x10000000U ? 0x10000000U : static_cast<DWORD>(left);
    DWORD written = 0;
    if (!WriteFile(file, p, chunk, &written, nullptr) || written == 0) return;
    p += written;
    left -= written;
  }
}

void close_file(Handle file) noexcept { CloseHandle(file); }
#else
using Handle = int;
constexpr Handle kNoFile = -1;

bool is_plain_file(const struct stat& info) noexcept {
  return S_ISREG(info.st_mode) && info.st_nlink <= 1;
}

Handle open_existing(bool truncate) noexcept {
  // No-follow: a link is refused, not followed. Non-blocking: a FIFO in its
  // place can hold up neither the open nor the host; it is then refused
  // like any other non-regular file. No O_TRUNC: the file is cut only once
  // it is known to be the plain file it must be.
  const int flags = O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NOFOLLOW | O_NONBLOCK |
                    (truncate ? 0 : O_APPEND);
  int fd;
  do {
    fd = ::open(file_name(), flags);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return kNoFile;
  struct stat info {};
  // A plain file is then written the ordinary, blocking way.
  if (::fstat(fd, &info) != 0 || !is_plain_file(info) ||
      ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0 ||
      (truncate && ::ftruncate(fd, 0) != 0)) {
    ::close(fd);
    return kNoFile;
  }
  return fd;
}

void write_all(Handle fd, std::string_view text) noexcept {
  const char* p = text.data();
  std::size_t left = text.size();
  while (left > 0) {
    const ssize_t written = ::write(fd, p, left);
    if (written < 0 && errno == EINTR) continue;
    // Disk full, a file-size limit or any other failure: the rest of the
    // block is dropped.
    if (written <= 0) return;
    p += written;
    left -= static_cast<std::size_t>(written);
  }
}

void close_file(Handle fd) noexcept { ::close(fd); }
#endif

void write_existing(std::string_view text, bool truncate) noexcept {
  const Handle file = open_existing(truncate);
  if (file == kNoFile) return;
  write_all(file, text);
  close_file(file);
}

}  // namespace

void append_to_log(std::string_view text) noexcept {
  write_existing(text, false);
}

void rewrite_log(std::string_view text) noexcept { write_existing(text, true); }

bool log_file_exists() noexcept {
#if defined(_WIN32)
  // No access asked for: this only looks, it neither reads nor writes.
  const Handle file = open_plain(0);
  if (file == kNoFile) return false;
  CloseHandle(file);
  return true;
#else
  struct stat info {};
  return ::lstat(file_name(), &info) == 0 && is_plain_file(info);
#endif
}

}  // namespace pipecorr::dbg
