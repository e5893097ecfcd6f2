// The catalogue rows the check calls: those a host can call at all.
#pragma once

#include <vector>

#include "check/records.hpp"
#include "plugin/plugin_library.hpp"

namespace pipecorr::hostkit {

// Rows with a printable name that the plug-in's own image exports, that is
// not one of the interface's routines, with link info 2 or 3; a name
// repeated exactly counts once.
[[nodiscard]] std::vector<CallableRow> callable_rows(
    const PluginLibrary& library);

// Whether every character is printable ASCII.
[[nodiscard]] bool printable(std::string_view text);

}  // namespace pipecorr::hostkit
