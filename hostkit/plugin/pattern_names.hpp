// Readable names for the flow-pattern codes a correlation returns.
#pragma once

#include <cstdint>
#include <string_view>

namespace pipecorr::hostkit {

// The name of a host flow-pattern code: the Beggs & Brill patterns by name,
// the engine patterns of ORBA_3 by their engine number (their meaning is the
// engine's own), "none" for -1, "unknown" for any other code.
[[nodiscard]] std::string_view pattern_name(std::int32_t id);

}  // namespace pipecorr::hostkit
