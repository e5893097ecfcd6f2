#include "files/output_file.hpp"

#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>

#include "files/input_file.hpp"
#include "files/native_file.hpp"
#include "text/error.hpp"
#include "text/escape.hpp"

namespace pipecorr::hostkit {
namespace {

using native::reason;
using NativeChar = std::filesystem::path::value_type;

// Temporary files a signal handler may have to remove: fixed storage, so
// the handler touches nothing but these characters and the removal call.
struct CleanupSlot {
  std::atomic<bool> used{false};
  NativeChar path[4096];
};
std::array<CleanupSlot, 16> g_cleanup;

int register_cleanup(const std::filesystem::path& path) {
  const auto& text = path.native();
  if (text.size() >= std::size(g_cleanup[0].path)) return -1;
  for (std::size_t k = 0; k < g_cleanup.size(); ++k) {
    CleanupSlot& slot = g_cleanup[k];
    if (slot.used.load()) continue;
    std::copy(text.c_str(), text.c_str() + text.size() + 1, slot.path);
    slot.used.store(true);
    return static_cast<int>(k);
  }
  return -1;
}

void release_cleanup(int slot) {
  if (slot >= 0) g_cleanup[static_cast<std::size_t>(slot)].used.store(false);
}

// Only what a signal handler may do: atomic loads and removing files.
void remove_unfinished() noexcept {
  for (CleanupSlot& slot : g_cleanup) {
    if (slot.used.load()) native::remove_file(slot.path);
  }
}

extern "C" void remove_unfinished_and_die(int signal_number) {
  remove_unfinished();
  // Ends the program by the same signal, so its parent sees why it ended
  // (a shell reading `| head` expects SIGPIPE).
  std::signal(signal_number, SIG_DFL);
  std::raise(signal_number);
}

// A plug-in that calls exit() mid-run skips every destructor.
extern "C" void remove_unfinished_at_exit() { remove_unfinished(); }

// The ending signals wait while this lives (even when it is left by an
// exception).
struct SignalsHeld {
  SignalsHeld() { native::hold_termination_signals(true); }
  ~SignalsHeld() { native::hold_termination_signals(false); }
  SignalsHeld(const SignalsHeld&) = delete;
  SignalsHeld& operator=(const SignalsHeld&) = delete;
};

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
    const long written = native::write_some(fd, text.data(), text.size());
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
  const native::Kind kind = native::kind_of(*path);
  if (kind == native::Kind::kDirectory) throw Error(name_ + " is a directory");
  if (kind == native::Kind::kOther) {
    // A device or a pipe: written in place, never replaced by a file.
    mode_ = Mode::kDirect;
    fd_ = native::open_for_writing(*path);
    if (fd_ < 0) throw Error("cannot open " + name_ + ": " + reason(errno));
    return;
  }
  mode_ = Mode::kReplace;
  const std::filesystem::path folder =
      path->has_parent_path() ? path->parent_path() : ".";
  std::mt19937_64 random((std::uint64_t{std::random_device{}()} << 32) ^
                         std::uint64_t{native::process_id()});
  int error = 0;
  {
    // A signal between creating the file and recording it would leave it.
    const SignalsHeld held;
    for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
      temporary_path_ = temporary_beside(final_path_, random);
      fd_ = native::create_new(temporary_path_);
      if (fd_ < 0 && errno != EEXIST) break;
    }
    error = errno;
    if (fd_ >= 0) cleanup_slot_ = register_cleanup(temporary_path_);
  }
  if (fd_ < 0) {
    if (error == ENOENT) {
      throw Error("cannot write " + name_ + ": folder '" +
                  for_terminal(folder.string()) + "' does not exist");
    }
    throw Error("cannot write " + name_ + ": cannot create a file in '" +
                for_terminal(folder.string()) + "': " + reason(error));
  }
  // A file that is replaced keeps its permissions.
  native::copy_permissions(fd_, *path);
}

OutputFile::~OutputFile() {
  if (committed_) return;
  close_quietly();
  if (mode_ == Mode::kReplace && !temporary_path_.empty()) {
    native::remove_file(temporary_path_.c_str());
  }
  release_cleanup(cleanup_slot_);
}

void OutputFile::close_quietly() noexcept {
  if (fd_ >= 0) native::close_file(fd_);
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
  if (native::close_file(fd) != 0) {
    throw Error("cannot finish " + name_ + ": " + reason(errno));
  }
  if (mode_ == Mode::kReplace) {
    if (const std::string why =
            native::replace_file(temporary_path_, final_path_);
        !why.empty()) {
      throw Error("cannot put " + name_ + " in place: " + why);
    }
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
      const bool same =
          ka == kb || (ka != "-" && kb != "-" && native::same_file(ka, kb));
      if (!same) continue;
      if (ka == "-") throw Error("standard output is named for two outputs");
      throw Error("two outputs name the same file '" +
                  for_terminal(outputs[a]->string()) + "'");
    }
  }
}

void remove_unfinished_outputs_on_signals() {
  static const bool installed = [] {
    std::atexit(remove_unfinished_at_exit);
    return true;
  }();
  (void)installed;
  native::on_termination_signals(remove_unfinished_and_die);
}

}  // namespace pipecorr::hostkit
