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

// A correlation name that picks out no callable entry of the catalogue
// (unknown, ambiguous, or listed but not exported); Python sees a KeyError.
class UnknownCorrelation : public hostkit::Error {
 public:
  using hostkit::Error::Error;
};

// A second run opened before the first was closed, or a close without an
// open run; Python sees a RuntimeError.
class SessionOrder : public hostkit::Error {
 public:
  using hostkit::Error::Error;
};

struct CalcOutcome {
  std::vector<PointFailure> failures;
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
  // UnknownCorrelation saying why none is picked out.
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
  // The same, for a caller that already holds lock_plugin_calls().
  [[nodiscard]] bool in_session(const std::unique_lock<std::mutex>&) const;

  // Every point through the named correlation. Outside an open run the
  // call is a run of its own. The points are split across `threads` only
  // when `reentrant` and the run does not trace.
  [[nodiscard]] CalcOutcome calc(std::string_view name,
                                 const InputColumns& inputs, std::size_t count,
                                 const OutputColumns& outputs, unsigned threads,
                                 bool reentrant);

  // The correlation of that name (empty: the first callable one), for jobs
  // that drive it themselves (the traverse); the caller holds
  // lock_plugin_calls() while it runs them. Throws as resolve() does, or
  // hostkit::Error when no entry at all can be called.
  [[nodiscard]] const hostkit::Correlation& correlation(
      std::string_view name) const;
  [[nodiscard]] const hostkit::PluginLibrary& library() const;

 private:
  [[nodiscard]] const hostkit::Correlation& find(std::string_view name) const;

  std::unique_ptr<hostkit::PluginLibrary> library_;
  std::unique_ptr<hostkit::CorrelationSet> correlations_;
  const void* image_ = nullptr;  // the loaded image's setup routine
};

// Held for the whole of every call into a plug-in. Take it only with the
// Python interpreter lock released.
[[nodiscard]] std::unique_lock<std::mutex> lock_plugin_calls();

}  // namespace pipecorr::python
