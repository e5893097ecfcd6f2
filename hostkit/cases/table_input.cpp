#include "cases/table_input.hpp"

#include <cerrno>
#include <new>
#include <utility>

#include "files/input_file.hpp"
#include "files/native_file.hpp"
#include "text/error.hpp"
#include "text/escape.hpp"

namespace pipecorr::hostkit {
namespace {

std::string shown_name(const std::filesystem::path& path,
                       std::string_view what) {
  if (is_standard_stream(path)) return std::string(what) + " (standard input)";
  return std::string(what) + " '" + for_terminal(path.string()) + "'";
}

// Reads the stream up to `limit` bytes; more than that is refused.
std::string read_stream(int fd, const std::string& name, std::size_t limit) {
  std::string text;
  char buffer[1 << 16];
  while (true) {
    const long got = native::read_some(fd, buffer, sizeof buffer);
    if (got < 0) {
      throw Error("cannot read " + name + ": " + native::reason(errno));
    }
    if (got == 0) break;
    const auto size = static_cast<std::size_t>(got);
    if (size > limit - text.size()) {
      throw Error(name + " goes on past " + size_text(limit) +
                  ", the most a table is read from a stream: save it to a "
                  "file and name the file instead");
    }
    text.append(buffer, size);
  }
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (std::string_view(text).substr(0, kByteOrderMark.size()) ==
      kByteOrderMark) {
    text.erase(0, kByteOrderMark.size());
  }
  return text;
}

}  // namespace

std::string size_text(std::size_t bytes) {
  constexpr std::size_t kKiB = 1024;
  for (const auto& [size, unit] :
       {std::pair{kKiB * kKiB * kKiB, " GiB"}, std::pair{kKiB * kKiB, " MiB"},
        std::pair{kKiB, " KiB"}}) {
    if (bytes >= size && bytes % size == 0) {
      return std::to_string(bytes / size) + unit;
    }
  }
  return std::to_string(bytes) + " bytes";
}

std::string read_table_text(const std::filesystem::path& path,
                            std::string_view what, std::size_t stream_limit) {
  const std::string name = shown_name(path, what);
  check_input_path(path, what, InputKind::kFileOrStream);
  try {
    if (!is_standard_stream(path) &&
        native::kind_of(path) == native::Kind::kRegular) {
      return read_input(path, what, InputKind::kFileOrStream);
    }
    if (is_standard_stream(path)) {
      return read_stream(native::standard_input(), name, stream_limit);
    }
    const int fd = native::open_for_reading(path, false);
    if (fd < 0) {
      throw Error("cannot open " + name + ": " + native::reason(errno));
    }
    try {
      std::string text = read_stream(fd, name, stream_limit);
      native::close_file(fd);
      return text;
    } catch (...) {
      native::close_file(fd);
      throw;
    }
  } catch (const std::bad_alloc&) {
    throw Error(name + " does not fit in memory");
  }
}

}  // namespace pipecorr::hostkit
