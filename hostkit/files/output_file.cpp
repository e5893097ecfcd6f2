#include "files/output_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
#include "text/error.hpp"
#include "text/escape.hpp"

namespace pipecorr::hostkit {
namespace {

std::string reason(int error) {
  return std::error_code(error, std::generic_category()).message();
}

// Temporary files a signal handler may have to remove: fixed storage, so
// the handler touches nothing but these bytes and unlink().
struct CleanupSlot {
  std::atomic<bool> used{false};
  char path[4096];
};
std::array<CleanupSlot, 16> g_cleanup;

int register_cleanup(const std::filesystem::path& path) {
  const std::string text = path.string();
  if (text.size() >= sizeof g_cleanup[0].path) return -1;
  for (std::size_t k = 0; k < g_cleanup.size(); ++k) {
    CleanupSlot& slot = g_cleanup[k];
    if (slot.used.load()) continue;
    std::memcpy(slot.path, text.c_str(), text.size() + 1);
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
    if (slot.used.load()) ::unlink(slot.path);
  }
  std::signal(signal_number, SIG_DFL);
  std::raise(signal_number);
}

// A name no file has yet, beside the final one.
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
    const ssize_t written = ::write(fd, text.data(), text.size());
    if (written < 0 && errno == EINTR) continue;
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
  struct stat info {};
  if (::stat(path->c_str(), &info) == 0) {
    if (S_ISDIR(info.st_mode)) throw Error(name_ + " is a directory");
    if (!S_ISREG(info.st_mode)) {
      // A device or a pipe: written in place, never replaced by a file.
      mode_ = Mode::kDirect;
      do {
        fd_ = ::open(path->c_str(), O_WRONLY | O_CLOEXEC);
      } while (fd_ < 0 && errno == EINTR);
      if (fd_ < 0) throw Error("cannot open " + name_ + ": " + reason(errno));
      return;
    }
  }
  mode_ = Mode::kReplace;
  const std::filesystem::path folder =
      path->has_parent_path() ? path->parent_path() : ".";
  std::mt19937_64 random((std::uint64_t{std::random_device{}()} << 32) ^
                         static_cast<std::uint64_t>(::getpid()));
  for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
    temporary_path_ = temporary_beside(final_path_, random);
    fd_ = ::open(temporary_path_.c_str(),
                 O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd_ < 0 && errno != EEXIST && errno != EINTR) break;
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
  // A file that is replaced keeps its permissions.
  struct stat existing {};
  if (::stat(path->c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) {
    ::fchmod(fd_, existing.st_mode & 07777);
  }
}

OutputFile::~OutputFile() {
  if (committed_) return;
  close_quietly();
  if (mode_ == Mode::kReplace && !temporary_path_.empty()) {
    ::unlink(temporary_path_.c_str());
  }
  release_cleanup(cleanup_slot_);
}

void OutputFile::close_quietly() noexcept {
  if (fd_ >= 0) ::close(fd_);
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
  if (::close(fd) != 0) {
    throw Error("cannot finish " + name_ + ": " + reason(errno));
  }
  if (mode_ == Mode::kReplace &&
      ::rename(temporary_path_.c_str(), final_path_.c_str()) != 0) {
    throw Error("cannot put " + name_ + " in place: " + reason(errno));
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
      bool same = ka == kb;
      struct stat ia {};
      struct stat ib {};
      if (!same && ka != "-" && kb != "-" && ::stat(ka.c_str(), &ia) == 0 &&
          ::stat(kb.c_str(), &ib) == 0) {
        same = ia.st_dev == ib.st_dev && ia.st_ino == ib.st_ino;
      }
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
