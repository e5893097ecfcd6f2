// Readable names for the flow-pattern codes a correlation returns.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pipecorr::hostkit {

// The name of a host flow-pattern code: the Beggs & Brill patterns and
// those of the well correlations (public header) by name,
// the engine patterns of ORBA_3 by their engine number (their meaning is the
// engine's own), "none" for -1, and any other code (another plug-in's
// own) as "pattern N".
[[nodiscard]] std::string pattern_name(std::int32_t id);

// The place (0 to 9) of an ORBA_3 code in the engine pattern table, or
// nothing for any other code.
[[nodiscard]] std::optional<std::size_t> engine_pattern_index(std::int32_t id);

}  // namespace pipecorr::hostkit
