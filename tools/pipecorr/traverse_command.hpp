// `pipecorr traverse CASE`: a pressure traverse along a pipe.
#pragma once

#include <optional>
#include <string>

#include "plugin/correlation.hpp"

namespace CLI {
class App;
}

namespace pipecorr::hostkit {

struct TraverseOptions {
  std::string case_file;
  std::string correlation;
  double step = 10.0;
  std::optional<double> every;  // none: about 20 table rows
  std::string csv;
  std::string svg;
};

CLI::App* add_traverse_command(CLI::App& app, TraverseOptions& options);

// 0 when the march reached the outlet, 2 when it had to stop early (the
// stations up to there are still reported).
int run_traverse_command(const CorrelationSet& correlations,
                         const TraverseOptions& options);

}  // namespace pipecorr::hostkit
