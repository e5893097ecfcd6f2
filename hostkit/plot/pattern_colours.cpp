#include "plot/pattern_colours.hpp"

#include <array>

#include "pipecorr/pipecorr.h"
#include "plugin/pattern_names.hpp"

namespace pipecorr::hostkit {

std::string_view pattern_colour(std::int32_t id) {
  switch (id) {
    case PIPECORR_PATTERN_SEGREGATED:
      return "#4e79a7";  // segregated: blue, the liquid lies at the bottom
    case PIPECORR_PATTERN_TRANSITION:
      return "#f1ce63";  // transition
    case PIPECORR_PATTERN_INTERMITTENT:
      return "#59a14f";  // intermittent
    case PIPECORR_PATTERN_DISTRIBUTED:
      return "#e15759";  // distributed
    case PIPECORR_PATTERN_NONE:
      return "#bdbdbd";
    default:
      break;
  }
  // The engine patterns of ORBA_3, in engine order 1 to 10, each its own
  // colour.
  static constexpr std::array<std::string_view, PIPECORR_ENGINE_PATTERNS>
      kPalette{"#a0cbe8", "#76b7b2", "#b07aa1", "#f28e2b", "#9c755f",
               "#ff9da7", "#499894", "#d37295", "#8cd17d", "#fabfd2"};
  if (const auto k = engine_pattern_index(id)) return kPalette[*k];
  // Any other plug-in's codes: a colour by the code, the same one in every
  // picture, so that neighbouring codes differ.
  static constexpr std::array<std::string_view, 8> kOthers{
      "#79706e", "#17becf", "#bcbd22", "#8c564b",
      "#e377c2", "#1f77b4", "#ff7f0e", "#2ca02c"};
  const auto slot = static_cast<std::uint32_t>(id) % kOthers.size();
  return kOthers[slot];
}

}  // namespace pipecorr::hostkit
