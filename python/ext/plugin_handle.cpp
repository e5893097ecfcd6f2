#include "plugin_handle.hpp"

#include <algorithm>
#include <map>
#include <mutex>
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

}  // namespace

std::unique_lock<std::mutex> lock_plugin_calls() {
  return std::unique_lock<std::mutex>(plugin_calls());
}

PluginHandle::PluginHandle(const std::filesystem::path& path) {
  const auto lock = lock_plugin_calls();
  library_ = std::make_unique<hostkit::PluginLibrary>(path);
  correlations_ = std::make_unique<hostkit::CorrelationSet>(*library_);
  image_ = library_->symbol("CORR_INT_SETUP");
}

PluginHandle::~PluginHandle() {
  const auto lock = lock_plugin_calls();
  // A run this handle opened and nobody closed ends with it.
  if (const auto run = open_runs().find(image_);
      run != open_runs().end() && run->second.opener == this) {
    open_runs().erase(run);
    library_->run_cleanup();
  }
  correlations_.reset();
  library_.reset();
}

const std::filesystem::path& PluginHandle::path() const {
  return library_->path();
}

const hostkit::PluginLibrary& PluginHandle::library() const {
  return *library_;
}

std::vector<hostkit::CatalogueEntry> PluginHandle::catalogue() const {
  const auto lock = lock_plugin_calls();
  return library_->catalogue();
}

std::optional<std::vector<std::string>> PluginHandle::identification(
    hostkit::IdentificationVariant variant) const {
  const auto lock = lock_plugin_calls();
  return library_->identification(variant);
}

const hostkit::Correlation& PluginHandle::find(std::string_view name) const {
  std::string why;
  if (const auto* found = correlations_->find(name, &why)) return *found;
  if (why.empty()) {
    why = "unknown correlation '" + hostkit::for_terminal(name) + "'; " +
          correlations_->library_name() + " offers " +
          correlations_->known_names();
  }
  throw UnknownCorrelation(why);
}

const hostkit::Correlation& PluginHandle::correlation(
    std::string_view name) const {
  return name.empty() ? correlations_->choose(name) : find(name);
}

std::string PluginHandle::resolve(std::string_view name) const {
  return find(name).name();
}

void PluginHandle::begin_session(bool log) {
  const auto lock = lock_plugin_calls();
  if (in_session(lock)) {
    throw SessionOrder("a session of this plug-in is already open");
  }
  if (log) hostkit::prepare_debug_log_file();
  const bool traced = debug_log_present();
  library_->run_setup();
  open_runs()[image_] = {traced, this};
}

void PluginHandle::end_session() {
  const auto lock = lock_plugin_calls();
  if (open_runs().erase(image_) == 0) {
    throw SessionOrder("no session of this plug-in is open");
  }
  library_->run_cleanup();
}

bool PluginHandle::in_session(const std::unique_lock<std::mutex>&) const {
  return open_runs().contains(image_);
}

bool PluginHandle::in_session() const {
  const auto lock = lock_plugin_calls();
  return in_session(lock);
}

bool PluginHandle::logging() const {
  const auto lock = lock_plugin_calls();
  const auto run = open_runs().find(image_);
  return run != open_runs().end() && run->second.logging;
}

CalcOutcome PluginHandle::calc(std::string_view name,
                               const InputColumns& inputs, std::size_t count,
                               const OutputColumns& outputs, unsigned threads,
                               bool reentrant) {
  const hostkit::Correlation& chosen = find(name);
  const auto lock = lock_plugin_calls();
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
  outcome.failures =
      run_points(chosen, inputs, count, outputs, outcome.threads);
  return outcome;
}

}  // namespace pipecorr::python
