#include "files/input_file.hpp"

#include <cerrno>

#include "files/native_file.hpp"
#include "text/error.hpp"
#include "text/escape.hpp"

namespace pipecorr::hostkit {
namespace {

std::string named(std::string_view what, const std::filesystem::path& path) {
  return std::string(what) + " '" + for_terminal(path.string()) + "'";
}

std::string read_all(int fd, const std::string& name) {
  std::string text;
  char buffer[1 << 16];
  while (true) {
    const long got = native::read_some(fd, buffer, sizeof buffer);
    if (got < 0) {
      throw Error("cannot read " + name + ": " + native::reason(errno));
    }
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
  switch (native::kind_of(path)) {
    case native::Kind::kMissing:
      throw Error(named(what, path) + " does not exist");
    case native::Kind::kUnreadable:
      throw Error("cannot open " + named(what, path) + ": " +
                  native::reason(errno));
    case native::Kind::kDirectory:
      throw Error(named(what, path) + " is a directory, not a file");
    case native::Kind::kOther:
      if (kind == InputKind::kRegularFile) {
        throw Error(named(what, path) +
                    " is not a regular file (a pipe or a device cannot be " +
                    std::string(what) + ")");
      }
      return;
    case native::Kind::kRegular:
    case native::Kind::kLink:
      return;
  }
}

std::string read_input(const std::filesystem::path& path, std::string_view what,
                       InputKind kind) {
  check_input_path(path, what, kind);
  std::string text;
  if (is_standard_stream(path)) {
    text = read_all(native::standard_input(),
                    std::string(what) + " (standard input)");
  } else {
    const std::string name = named(what, path);
    const int fd =
        native::open_for_reading(path, kind == InputKind::kRegularFile);
    if (fd < 0) {
      if (errno == EINVAL) throw Error(name + " is not a regular file");
      throw Error("cannot open " + name + ": " + native::reason(errno));
    }
    try {
      text = read_all(fd, name);
    } catch (...) {
      native::close_file(fd);
      throw;
    }
    native::close_file(fd);
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
