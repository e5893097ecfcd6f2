// The file operations through the Windows C runtime's wide-character calls,
// in binary mode so that bytes arrive as written. Windows has no FIFOs to
// swap in; a reparse point counts as a link.
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <system_error>

#include "files/native_file.hpp"

namespace pipecorr::hostkit::native {
namespace {

Kind kind_of_mode(unsigned short mode) {
  if ((mode & _S_IFMT) == _S_IFREG) return Kind::kRegular;
  if ((mode & _S_IFMT) == _S_IFDIR) return Kind::kDirectory;
  return Kind::kOther;
}

Identity identity_of_handle(HANDLE file) {
  Identity identity;
  const DWORD type = GetFileType(file);
  if (type == FILE_TYPE_CHAR) {
    identity.known = true;
    identity.stream = true;
    return identity;
  }
  BY_HANDLE_FILE_INFORMATION info{};
  if (type != FILE_TYPE_DISK || !GetFileInformationByHandle(file, &info)) {
    return identity;
  }
  identity.known = true;
  identity.device = info.dwVolumeSerialNumber;
  identity.number =
      (static_cast<unsigned long long>(info.nFileIndexHigh) << 32) |
      info.nFileIndexLow;
  return identity;
}

}  // namespace

Identity identity_of(const std::filesystem::path& path) {
  // No access asked for: this neither reads nor writes, and a folder opens.
  const HANDLE file = CreateFileW(
      path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  const Identity identity = identity_of_handle(file);
  CloseHandle(file);
  return identity;
}

Identity identity_of_standard(bool output) {
  const HANDLE file =
      GetStdHandle(output ? STD_OUTPUT_HANDLE : STD_INPUT_HANDLE);
  if (file == INVALID_HANDLE_VALUE || file == nullptr) return {};
  return identity_of_handle(file);
}

Kind kind_of(const std::filesystem::path& path) {
  struct _stat64 info {};
  if (::_wstat64(path.c_str(), &info) == 0) return kind_of_mode(info.st_mode);
  return errno == ENOENT ? Kind::kMissing : Kind::kUnreadable;
}

Kind entry_kind(const std::filesystem::path& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    errno = ENOENT;
    return Kind::kMissing;
  }
  if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) return Kind::kLink;
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return Kind::kDirectory;
  return Kind::kRegular;
}

unsigned long name_count(const std::filesystem::path& path) {
  // No access asked for, and a reparse point is opened, not followed.
  const HANDLE file = CreateFileW(
      path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
      nullptr, OPEN_EXISTING,
      FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 0;
  BY_HANDLE_FILE_INFORMATION info{};
  const bool known = GetFileInformationByHandle(file, &info) != 0;
  CloseHandle(file);
  return known ? info.nNumberOfLinks : 0;
}

int open_for_reading(const std::filesystem::path& path, bool regular_only) {
  const int fd = ::_wopen(path.c_str(), _O_RDONLY | _O_BINARY);
  if (fd < 0 || !regular_only) return fd;
  struct _stat64 info {};
  if (::_fstat64(fd, &info) != 0 ||
      kind_of_mode(info.st_mode) != Kind::kRegular) {
    ::_close(fd);
    errno = EINVAL;
    return -1;
  }
  return fd;
}

int open_for_writing(const std::filesystem::path& path) {
  return ::_wopen(path.c_str(), _O_WRONLY | _O_BINARY);
}

int create_new(const std::filesystem::path& path) {
  return ::_wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY,
                  _S_IREAD | _S_IWRITE);
}

void copy_permissions(int, const std::filesystem::path&) {}

int standard_input() {
  const int in = ::_fileno(stdin);
  ::_setmode(in, _O_BINARY);
  return in;
}

long read_some(int fd, char* buffer, std::size_t size) {
  const auto chunk =
      static_cast<unsigned>(std::min<std::size_t>(size, 1U << 30));
  return ::_read(fd, buffer, chunk);
}

long write_some(int fd, const char* data, std::size_t size) {
  const auto chunk =
      static_cast<unsigned>(std::min<std::size_t>(size, 1U << 30));
  return ::_write(fd, data, chunk);
}

int close_file(int fd) { return ::_close(fd); }

int remove_file(const std::filesystem::path::value_type* path) {
  return ::_wremove(path);
}

std::string replace_file(const std::filesystem::path& from,
                         const std::filesystem::path& to) {
  if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    return {};
  }
  return "Windows error " + std::to_string(GetLastError());
}

bool same_file(const std::filesystem::path& a, const std::filesystem::path& b) {
  std::error_code ignored;
  return std::filesystem::equivalent(a, b, ignored);
}

std::string write_refusal(const std::filesystem::path& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES &&
      (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    return "it is read-only";
  }
  return {};
}

unsigned long process_id() { return GetCurrentProcessId(); }

void on_termination_signals(void (*handler)(int)) {
  // Ctrl-C, Ctrl-Break, abort() and a raised SIGTERM; a signal someone
  // else already handles or ignores is given back.
  for (const int number : {SIGINT, SIGBREAK, SIGTERM, SIGABRT}) {
    const auto previous = std::signal(number, handler);
    if (previous != SIG_DFL && previous != SIG_ERR) {
      std::signal(number, previous);
    }
  }
}

// Windows runs a signal handler on a thread of its own and has no mask.
void hold_termination_signals(bool) {}

std::string reason(int error) {
  return std::error_code(error, std::generic_category()).message();
}

}  // namespace pipecorr::hostkit::native
