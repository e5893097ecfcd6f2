// `pipecorr list`: the plug-in's catalogue and identification, readable.
#pragma once

#include <string>

#include "plugin_library.hpp"

namespace pipecorr::cli {

[[nodiscard]] std::string describe_library(const PluginLibrary& library);

}  // namespace pipecorr::cli
