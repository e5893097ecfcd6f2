// `vfp`: the lift table of a field case for a reservoir simulator, as the
// command and the Python package ask for it.
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "jobs/well_request.hpp"
#include "plugin/correlation.hpp"
#include "studies/vfp_build.hpp"
#include "units/quantity.hpp"

namespace pipecorr::hostkit {

struct VfpJobOptions {
  WellRequest request;                          // one correlation
  std::optional<std::filesystem::path> output;  // none or "-": standard output
  int table = 1;                                // the table number, >= 1
  // "md:D", "tvd:D" or a bare "D" (a TVD), D in the case's length unit
  // unless it carries one ("9000 ft"); none: the bottom of the well.
  std::optional<std::string> datum;
  // Threads for a correlation that may share them; none: one per core.
  std::optional<std::size_t> threads;
  // Where the bundled plug-ins lie, to tell a bundled correlation by; none:
  // where the command looks for them (a host such as the Python package
  // keeps them in a folder of its own).
  std::optional<std::filesystem::path> bundled_folder;
  std::function<void(std::size_t, std::size_t)> progress;
  std::function<bool()> stop;
};

struct VfpJobOutcome {
  VfpBuild build;
  std::string correlation;  // its name
  std::string plugin;       // the file it came from
  UnitSystem units{};       // the case's: FIELD or METRIC in the deck
  std::string text;         // the keyword, with its comments
  // One line, then one per cause of filled points ("12 points filled: the
  // pressure ran out ...; the first: ...").
  std::vector<std::string> summary;
  [[nodiscard]] bool completed() const { return build.filled() == 0; }
};

// Whether a correlation may march on several threads at once: one of the
// bundled plug-ins' correlations that keep nothing between calls, from a
// file byte for byte the bundled build, in a run that does not trace.
[[nodiscard]] bool shares_threads(
    const Correlation& correlation, const CorrelationSet& correlations,
    const std::optional<std::filesystem::path>& bundled_folder = {});

// The table computed, nothing written. Throws Error for a request that
// cannot be made (the case, the correlation, a table number below 1, a
// datum outside the well, no point computed at all).
[[nodiscard]] VfpJobOutcome make_vfp(const CorrelationSet& correlations,
                                     const VfpJobOptions& options);

// The same with the output opened first and written whole, or not at all.
VfpJobOutcome run_vfp_job(const CorrelationSet& correlations,
                          const VfpJobOptions& options);

}  // namespace pipecorr::hostkit
