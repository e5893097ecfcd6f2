// Outputs on Windows, by the rules of output_file.hpp: a regular file (or a
// path where nothing is) is written to a temporary file created exclusively
// beside it and moved onto the path at commit (MoveFileExW replaces an
// existing file); a device (NUL, CON) is written directly; "-" is standard
// output.
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <system_error>

#include "files/input_file.hpp"
#include "files/output_file.hpp"
#include "text/error.hpp"
#include "text/escape.hpp"

namespace pipecorr::hostkit {
namespace {

std::string reason(int error) {
  return std::error_code(error, std::generic_category()).message();
}

// Temporary files Ctrl-C must remove: fixed storage, so the handler
// touches nothing but these and _wremove().
struct CleanupSlot {
  std::atomic<bool> used{false};
  wchar_t path[4096];
};
std::array<CleanupSlot, 16> g_cleanup;

int register_cleanup(const std::filesystem::path& path) {
  const std::wstring text = path.wstring();
  if (text.size() >= std::size(g_cleanup[0].path)) return -1;
  for (std::size_t k = 0; k < g_cleanup.size(); ++k) {
    CleanupSlot& slot = g_cleanup[k];
    if (slot.used.load()) continue;
    std::wmemcpy(slot.path, text.c_str(), text.size() + 1);
    slot.used.store(true);
    return static_cast<int>(k);
  }
  return -1;
}

void release_cleanup(int slot) {
  if (slot >= 0) g_cleanup[static_cast<std::size_t>(slot)].used.store(false);
}

extern "C" void remove_unfinished_and_die(int signal_number) {
  for (CleanupSlot& slot : g_cleanup) {
    if (slot.used.load()) ::_wremove(slot.path);
  }
  std::signal(signal_number, SIG_DFL);
  std::raise(signal_number);
}

std::filesystem::path temporary_beside(const std::filesystem::path& final,
                                       std::mt19937_64& random) {
  char suffix[24];
  std::snprintf(suffix, sizeof suffix, "%012llx",
                static_cast<unsigned long long>(random() & 0xFFFFFFFFFFFFULL));
  return final.parent_path() /
         ("." + final.filename().string() + ".pipecorr-" + suffix);
}

void write_all(int fd, std::string_view text, const std::string& name) {
  while (!text.empty()) {
    const auto chunk =
        static_cast<unsigned>(std::min<std::size_t>(text.size(), 1U << 30));
    const int written = ::_write(fd, text.data(), chunk);
    if (written <= 0) {
      throw Error("cannot write " + name + ": " + reason(errno));
    }
    text.remove_prefix(static_cast<std::size_t>(written));
  }
}

}  // namespace

OutputFile::OutputFile(const std::optional<std::filesystem::path>& path,
                       std::string_view what) {
  if (!path || is_standard_stream(*path)) {
    mode_ = Mode::kStandardOutput;
    name_ = "standard output";
    return;
  }
  final_path_ = *path;
  name_ = std::string(what) + " '" + for_terminal(path->string()) + "'";
  struct _stat64 info {};
  if (::_wstat64(path->c_str(), &info) == 0) {
    if ((info.st_mode & _S_IFMT) == _S_IFDIR) {
      throw Error(name_ + " is a directory");
    }
    if ((info.st_mode & _S_IFMT) != _S_IFREG) {
      // A device: written in place, never replaced by a file.
      mode_ = Mode::kDirect;
      fd_ = ::_wopen(path->c_str(), _O_WRONLY | _O_BINARY);
      if (fd_ < 0) throw Error("cannot open " + name_ + ": " + reason(errno));
      return;
    }
  }
  mode_ = Mode::kReplace;
  const std::filesystem::path folder =
      path->has_parent_path() ? path->parent_path() : ".";
  std::mt19937_64 random((std::uint64_t{std::random_device{}()} << 32) ^
                         GetCurrentProcessId());
  for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
    temporary_path_ = temporary_beside(final_path_, random);
    fd_ = ::_wopen(temporary_path_.c_str(),
                   _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY,
                   _S_IREAD | _S_IWRITE);
    if (fd_ < 0 && errno != EEXIST) break;
  }
  if (fd_ < 0) {
    const int error = errno;
    if (error == ENOENT) {
      throw Error("cannot write " + name_ + ": folder '" +
                  for_terminal(folder.string()) + "' does not exist");
    }
    throw Error("cannot write " + name_ + ": cannot create a file in '" +
                for_terminal(folder.string()) + "': " + reason(error));
  }
  cleanup_slot_ = register_cleanup(temporary_path_);
}

OutputFile::~OutputFile() {
  if (committed_) return;
  close_quietly();
  if (mode_ == Mode::kReplace && !temporary_path_.empty()) {
    ::_wremove(temporary_path_.c_str());
  }
  release_cleanup(cleanup_slot_);
}

void OutputFile::close_quietly() noexcept {
  if (fd_ >= 0) ::_close(fd_);
  fd_ = -1;
}

void OutputFile::write(std::string_view text) {
  if (text.empty()) return;
  if (mode_ == Mode::kStandardOutput) {
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size()) {
      throw Error("cannot write standard output");
    }
    return;
  }
  write_all(fd_, text, name_);
}

void OutputFile::commit() {
  if (mode_ == Mode::kStandardOutput) {
    if (std::fflush(stdout) != 0) throw Error("cannot write standard output");
    committed_ = true;
    return;
  }
  const int fd = fd_;
  fd_ = -1;
  if (::_close(fd) != 0) {
    throw Error("cannot finish " + name_ + ": " + reason(errno));
  }
  if (mode_ == Mode::kReplace &&
      !MoveFileExW(temporary_path_.c_str(), final_path_.c_str(),
                   MOVEFILE_REPLACE_EXISTING)) {
    throw Error("cannot put " + name_ + " in place: Windows error " +
                std::to_string(GetLastError()));
  }
  committed_ = true;
  release_cleanup(cleanup_slot_);
}

void write_output(const std::optional<std::filesystem::path>& path,
                  std::string_view text, std::string_view what) {
  OutputFile file(path, what);
  file.write(text);
  file.commit();
}

void check_distinct_outputs(
    std::span<const std::optional<std::filesystem::path>> outputs) {
  const auto key = [](const std::optional<std::filesystem::path>& path) {
    if (!path || is_standard_stream(*path)) return std::filesystem::path("-");
    std::error_code ignored;
    const auto absolute = std::filesystem::absolute(*path, ignored);
    return std::filesystem::weakly_canonical(absolute, ignored);
  };
  for (std::size_t a = 0; a < outputs.size(); ++a) {
    for (std::size_t b = a + 1; b < outputs.size(); ++b) {
      const auto ka = key(outputs[a]);
      const auto kb = key(outputs[b]);
      std::error_code ignored;
      // Two names of one existing file (a hard link, a different case).
      const bool same =
          ka == kb || (ka != "-" && kb != "-" &&
                       std::filesystem::equivalent(ka, kb, ignored));
      if (!same) continue;
      if (ka == "-") throw Error("standard output is named for two outputs");
      throw Error("two outputs name the same file '" +
                  for_terminal(outputs[a]->string()) + "'");
    }
  }
}

void remove_unfinished_outputs_on_signals() {
  std::signal(SIGINT, remove_unfinished_and_die);
  std::signal(SIGTERM, remove_unfinished_and_die);
}

}  // namespace pipecorr::hostkit
