// Reading inputs on Windows: the same rules as input_file.cpp, through the
// C runtime's wide-character calls, in binary mode so that a table's bytes
// arrive as written. Windows has no FIFOs to swap in, so a regular file is
// opened plainly and its type checked again on the open handle.
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <system_error>

#include "files/input_file.hpp"
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
    const int got = ::_read(fd, buffer, sizeof buffer);
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
  struct _stat64 info {};
  if (::_wstat64(path.c_str(), &info) != 0) {
    const int error = errno;
    if (error == ENOENT) throw Error(named(what, path) + " does not exist");
    throw Error("cannot open " + named(what, path) + ": " + reason(error));
  }
  if ((info.st_mode & _S_IFMT) == _S_IFDIR) {
    throw Error(named(what, path) + " is a directory, not a file");
  }
  if ((info.st_mode & _S_IFMT) != _S_IFREG && kind == InputKind::kRegularFile) {
    throw Error(named(what, path) +
                " is not a regular file (a device cannot "
                "be " +
                std::string(what) + ")");
  }
}

std::string read_input(const std::filesystem::path& path, std::string_view what,
                       InputKind kind) {
  check_input_path(path, what, kind);
  std::string text;
  if (is_standard_stream(path)) {
    const int in = ::_fileno(stdin);
    ::_setmode(in, _O_BINARY);
    text = read_all(in, std::string(what) + " (standard input)");
  } else {
    const std::string name = named(what, path);
    const int fd = ::_wopen(path.c_str(), _O_RDONLY | _O_BINARY);
    if (fd < 0) throw Error("cannot open " + name + ": " + reason(errno));
    struct _stat64 info {};
    if (::_fstat64(fd, &info) != 0 || (kind == InputKind::kRegularFile &&
                                       (info.st_mode & _S_IFMT) != _S_IFREG)) {
      ::_close(fd);
      throw Error(name + " is not a regular file");
    }
    try {
      text = read_all(fd, name);
    } catch (...) {
      ::_close(fd);
      throw;
    }
    ::_close(fd);
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
