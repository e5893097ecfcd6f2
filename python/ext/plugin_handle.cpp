#include "plugin_handle.hpp"

#include <algorithm>
#include <map>
#include <memory>
#include <mutex>
#include <new>
#include <optional>
#include <system_error>

#include "files/debug_log_file.hpp"
#include "text/escape.hpp"

namespace pipecorr::python {
namespace {

std::mutex& plugin_calls() {
  static std::mutex calls;
  return calls;
}

// The open runs, by loaded image; read and written under plugin_calls().
struct OpenRun {
  bool logging = false;
  const PluginHandle* opener = nullptr;
};

std::map<const void*, OpenRun>& open_runs() {
  static std::map<const void*, OpenRun> runs;
  return runs;
}

// The plug-in decides at setup, by the same rule: a plain file of that
// name traces the run; a link, a FIFO or a folder there does not.
bool debug_log_present() { return hostkit::debug_log_file_usable(); }

thread_local bool this_thread_holds_the_lock = false;

// A library whose handle went away while its thread held the lock: Python
// may collect a handle during the signal handlers calc runs while other
// threads are still inside the plug-in. It is closed, and the run it
// opened cleaned up, when the lock is let go.
struct Closing {
  std::unique_ptr<hostkit::CorrelationSet> correlations;
  std::unique_ptr<hostkit::PluginLibrary> library;
  bool open_run = false;
};

std::vector<Closing>& closings() {
  static std::vector<Closing> waiting;
  return waiting;
}

// In destructors only, where an exception a careless plug-in lets out of
// its cleanup has nowhere to go.
void close_library(Closing& closing) noexcept {
  if (closing.open_run) {
    try {
      closing.library->run_cleanup();
    } catch (...) {
      // The run is over for the host either way.
    }
  }
  closing.correlations.reset();
  closing.library.reset();
}

}  // namespace

PluginCallLock::PluginCallLock() {
  if (this_thread_holds_the_lock) {
    throw SessionOrder(
        "a plug-in is called from inside another call of this thread (a "
        "signal handler run during calc); the handler must not use "
        "pipecorr");
  }
  lock_ = std::unique_lock<std::mutex>(plugin_calls());
  this_thread_holds_the_lock = true;
}

PluginCallLock::~PluginCallLock() {
  // Whatever ran under this lock has ended, the calc's own run included.
  auto waiting = std::move(closings());
  closings().clear();
  for (auto& closing : waiting) close_library(closing);
  this_thread_holds_the_lock = false;
}

PluginHandle::PluginHandle(const std::filesystem::path& path) {
  const PluginCallLock lock;
  library_ = std::make_unique<hostkit::PluginLibrary>(path);
  correlations_ = std::make_unique<hostkit::CorrelationSet>(*library_);
  image_ = library_->symbol("CORR_INT_SETUP");
}

PluginHandle::~PluginHandle() {
  std::optional<PluginCallLock> lock;
  if (!this_thread_holds_the_lock) lock.emplace();
  Closing closing{std::move(correlations_), std::move(library_), false};
  // A run this handle opened and nobody closed ends with it.
  if (const auto run = open_runs().find(image_);
      run != open_runs().end() && run->second.opener == this) {
    open_runs().erase(run);
    closing.open_run = true;
  }
  if (lock) {
    close_library(closing);
    return;
  }
  try {
    closings().push_back(std::move(closing));
  } catch (const std::bad_alloc&) {
    // Without memory to remember it, the library stays loaded: better
    // than closing it under the calls still running in it.
    static_cast<void>(closing.correlations.release());
    static_cast<void>(closing.library.release());
  }
}

const std::filesystem::path& PluginHandle::path() const {
  return library_->path();
}

const hostkit::PluginLibrary& PluginHandle::library() const {
  return *library_;
}

std::vector<hostkit::CatalogueEntry> PluginHandle::catalogue() const {
  const PluginCallLock lock;
  return library_->catalogue();
}

std::optional<std::vector<std::string>> PluginHandle::identification(
    hostkit::IdentificationVariant variant) const {
  const PluginCallLock lock;
  return library_->identification(variant);
}

const hostkit::CorrelationSet& PluginHandle::correlations() const {
  return *correlations_;
}

const hostkit::Correlation& PluginHandle::correlation(
    std::string_view name) const {
  return correlations_->choose(name);
}

std::string PluginHandle::resolve(std::string_view name) const {
  return correlations_->named(name).name();
}

void PluginHandle::begin_session(bool log) {
  const PluginCallLock lock;
  if (in_session(lock)) {
    throw SessionOrder("a session of this plug-in is already open");
  }
  if (log) hostkit::prepare_debug_log_file();
  const bool traced = debug_log_present();
  library_->run_setup();
  open_runs()[image_] = {traced, this};
}

void PluginHandle::end_session() {
  const PluginCallLock lock;
  if (open_runs().erase(image_) == 0) {
    throw SessionOrder("no session of this plug-in is open");
  }
  library_->run_cleanup();
}

bool PluginHandle::in_session(const PluginCallLock&) const {
  return open_runs().contains(image_);
}

bool PluginHandle::in_session() const {
  const PluginCallLock lock;
  return in_session(lock);
}

bool PluginHandle::logging() const {
  const PluginCallLock lock;
  const auto run = open_runs().find(image_);
  return run != open_runs().end() && run->second.logging;
}

CalcOutcome PluginHandle::calc(std::string_view name,
                               const InputColumns& inputs, std::size_t count,
                               const OutputColumns& outputs, unsigned threads,
                               bool reentrant, const StopQuestion& stop_asked) {
  const hostkit::Correlation& chosen = correlations_->named(name);
  const PluginCallLock lock;
  std::optional<hostkit::RunSession> own_run;
  bool traced = false;
  if (const auto run = open_runs().find(image_); run != open_runs().end()) {
    traced = run->second.logging;
  } else {
    traced = debug_log_present();
    own_run.emplace(*library_);
  }
  // A trace interleaves when calls overlap, so a traced run is serial.
  CalcOutcome outcome;
  const std::size_t wanted = reentrant && !traced ? threads : 1;
  outcome.threads = static_cast<unsigned>(
      std::clamp<std::size_t>(wanted, 1, std::max<std::size_t>(count, 1)));
  outcome.loop =
      run_points(chosen, inputs, count, outputs, outcome.threads, stop_asked);
  return outcome;
}

}  // namespace pipecorr::python
