// `pipecorr list`: the plug-in's catalogue and identification, readable.
#pragma once

#include <string>

#include "plugin/plugin_library.hpp"

namespace pipecorr::hostkit {

[[nodiscard]] std::string describe_library(const PluginLibrary& library);

}  // namespace pipecorr::hostkit
