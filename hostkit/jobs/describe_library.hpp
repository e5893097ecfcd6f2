// `pipecorr list`: the loaded plug-ins' catalogues, each row with the
// plug-in it comes from, and their identification, readable.
#pragma once

#include <span>
#include <string>

#include "plugin/plugin_library.hpp"

namespace pipecorr::hostkit {

[[nodiscard]] std::string describe_libraries(
    std::span<const PluginLibrary* const> libraries);

}  // namespace pipecorr::hostkit
