// Colours of flow patterns in the pictures: the same pattern always gets the
// same colour, so maps and traverse plots of one correlation read alike.
#pragma once

#include <cstdint>
#include <string_view>

namespace pipecorr::hostkit {

[[nodiscard]] std::string_view pattern_colour(std::int32_t id);

// Cells and stations the correlation could not compute.
inline constexpr std::string_view kNoResultColour = "#bdbdbd";

}  // namespace pipecorr::hostkit
