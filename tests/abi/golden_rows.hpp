// Runs the fixed host cases through the plug-in's exports and writes each
// result as one text line of exact bit patterns, so that two builds agree
// only when every output bit and every byte of the debug log agree.
#pragma once

#include <string>
#include <vector>

#include "abi/host_cases.hpp"
#include "pipecorr/pipecorr.h"
#include "support/plugin_library.hpp"

namespace pipecorr::abi {

using testing::PluginLibrary;

// One export's answer to one case.
struct GoldenRow {
  std::string key;   // "<case> <export>": what the golden file is looked up by
  std::string line;  // key followed by the outputs as bit patterns
  std::string log;   // what the call traced into usercorr.dbg
};

// Calls BB_2, BB_3 and ORBA_3 for a case with the debug log on. Must run in
// a private working directory: it creates and rewrites usercorr.dbg there.
class GoldenRunner {
 public:
  explicit GoldenRunner(const PluginLibrary& plugin);

  [[nodiscard]] std::vector<GoldenRow> rows(const HostCase& c) const;

 private:
  [[nodiscard]] GoldenRow single(const HostCase& c) const;
  [[nodiscard]] GoldenRow dual(const HostCase& c, const char* entry,
                               pipecorr_corr_double_fn fn,
                               double xinfo_request) const;
  // Starts a traced run and returns where the call's own trace will begin.
  [[nodiscard]] std::size_t start_log() const;

  pipecorr_run_fn setup_;
  pipecorr_corr_single_fn bb_2_;
  pipecorr_corr_double_fn bb_3_;
  pipecorr_corr_double_fn orba_3_;
};

// The golden file's lines by key; '#' lines are comments.
[[nodiscard]] std::vector<std::pair<std::string, std::string>> parse_golden(
    const std::string& text);

}  // namespace pipecorr::abi
