// A plug-in as the Python package holds it: the loaded library, its
// correlations, and whether a run (setup ... cleanup) is open. Every call
// into any plug-in goes through one process-wide lock, because the
// interface forbids overlapping calls and Python threads could otherwise
// make them once the interpreter lock is released.
#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "plugin/correlation.hpp"
#include "plugin/plugin_library.hpp"
#include "point_loop.hpp"
#include "text/error.hpp"

namespace pipecorr::python {

// A second run opened before the first was closed, or a close without an
// open run; Python sees a RuntimeError.
class SessionOrder : public hostkit::Error {
 public:
  using hostkit::Error::Error;
};

// Held for the whole of every call into a plug-in. Take it only with the
// Python interpreter lock released. The thread that holds it already (a
// signal handler that calc runs while it looks for Ctrl-C) is refused with
// SessionOrder instead of waiting for itself for ever.
class PluginCallLock {
 public:
  PluginCallLock();
  ~PluginCallLock();
  PluginCallLock(const PluginCallLock&) = delete;
  PluginCallLock& operator=(const PluginCallLock&) = delete;

 private:
  std::unique_lock<std::mutex> lock_;
};

struct CalcOutcome {
  PointLoopOutcome loop;
  unsigned threads = 1;  // threads the points were split across
};

class PluginHandle {
 public:
  // Throws hostkit::Error when the library cannot be loaded as a plug-in.
  explicit PluginHandle(const std::filesystem::path& path);
  ~PluginHandle();
  PluginHandle(const PluginHandle&) = delete;
  PluginHandle& operator=(const PluginHandle&) = delete;

  [[nodiscard]] const std::filesystem::path& path() const;
  [[nodiscard]] std::vector<hostkit::CatalogueEntry> catalogue() const;
  [[nodiscard]] std::optional<std::vector<std::string>> identification(
      hostkit::IdentificationVariant variant) const;

  // The catalogue's own spelling of a name matched as hostkit matches it
  // (exactly, or ignoring case when that picks out one entry). Throws
  // hostkit::UnknownCorrelation saying why none is picked out (an empty
  // name included).
  [[nodiscard]] std::string resolve(std::string_view name) const;

  // Opens a run. With `log`, first creates usercorr.dbg in the working
  // directory (hostkit's rules: never through a link, never a FIFO). The
  // plug-in traces the run whenever that file exists at setup, asked for
  // or not; logging() tells which.
  //
  // A library loaded twice is one image with one state, so the open run
  // belongs to the image: any handle of it sees the run and may close it.
  void begin_session(bool log);
  void end_session();
  [[nodiscard]] bool in_session() const;
  [[nodiscard]] bool logging() const;
  // The same, for a caller that already holds the PluginCallLock.
  [[nodiscard]] bool in_session(const PluginCallLock&) const;

  // Every point through the named correlation. Outside an open run the
  // call is a run of its own. The points are split across `threads` only
  // when `reentrant` and the run does not trace. `stop_asked` is asked on
  // the calling thread now and then (run_points).
  [[nodiscard]] CalcOutcome calc(std::string_view name,
                                 const InputColumns& inputs, std::size_t count,
                                 const OutputColumns& outputs, unsigned threads,
                                 bool reentrant,
                                 const StopQuestion& stop_asked);

  // The correlation of that name (empty: the first callable one), for jobs
  // that drive it themselves (the traverse); the caller holds
  // the PluginCallLock while it runs them. Throws as resolve() does, or
  // hostkit::Error when no entry at all can be called.
  [[nodiscard]] const hostkit::Correlation& correlation(
      std::string_view name) const;
  [[nodiscard]] const hostkit::PluginLibrary& library() const;
  [[nodiscard]] const hostkit::CorrelationSet& correlations() const;

 private:
  std::unique_ptr<hostkit::PluginLibrary> library_;
  std::unique_ptr<hostkit::CorrelationSet> correlations_;
  const void* image_ = nullptr;  // the loaded image's setup routine
};

}  // namespace pipecorr::python
