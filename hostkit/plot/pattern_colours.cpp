#include "plot/pattern_colours.hpp"

#include <array>

namespace pipecorr::hostkit {

std::string_view pattern_colour(std::int32_t id) {
  switch (id) {
    case 5:
      return "#4e79a7";  // segregated: blue, the liquid lies at the bottom
    case 6:
      return "#f1ce63";  // transition
    case 7:
      return "#59a14f";  // intermittent
    case 8:
      return "#e15759";  // distributed
    case -1:
      return "#bdbdbd";
    default:
      break;
  }
  // The engine patterns of ORBA_3, in engine order 1 to 10, each its own
  // colour; any other code shares the last one.
  static constexpr std::array<std::int32_t, 10> kEngineCodes{
      9, 10, 11, 2, 12, 13, 14, 4, 15, 16};
  static constexpr std::array<std::string_view, 11> kPalette{
      "#a0cbe8", "#76b7b2", "#b07aa1", "#f28e2b", "#9c755f", "#ff9da7",
      "#499894", "#d37295", "#8cd17d", "#fabfd2", "#79706e"};
  for (std::size_t k = 0; k < kEngineCodes.size(); ++k) {
    if (kEngineCodes[k] == id) return kPalette[k];
  }
  return kPalette.back();
}

}  // namespace pipecorr::hostkit
