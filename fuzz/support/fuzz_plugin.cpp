#include "support/fuzz_plugin.hpp"

#include "plugin/plugin_library.hpp"

namespace pipecorr::fuzz {
namespace {

struct LoadedPlugin {
  hostkit::PluginLibrary library{PIPECORR_FUZZ_PLUGIN};
  hostkit::RunSession session{library};
  hostkit::CorrelationSet correlations{library};
};

}  // namespace

const hostkit::CorrelationSet& fuzz_correlations() {
  static const LoadedPlugin plugin;
  return plugin.correlations;
}

}  // namespace pipecorr::fuzz
