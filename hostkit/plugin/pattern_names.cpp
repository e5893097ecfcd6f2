#include "plugin/pattern_names.hpp"

namespace pipecorr::hostkit {

std::string_view pattern_name(std::int32_t id) {
  switch (id) {
    case -1:
      return "none";
    case 5:
      return "segregated";
    case 6:
      return "transition";
    case 7:
      return "intermittent";
    case 8:
      return "distributed";
    // ORBA_3 maps engine pattern numbers 1..10 onto these host codes.
    case 9:
      return "engine pattern 1";
    case 10:
      return "engine pattern 2";
    case 11:
      return "engine pattern 3";
    case 2:
      return "engine pattern 4";
    case 12:
      return "engine pattern 5";
    case 13:
      return "engine pattern 6";
    case 14:
      return "engine pattern 7";
    case 4:
      return "engine pattern 8";
    case 15:
      return "engine pattern 9";
    case 16:
      return "engine pattern 10";
    default:
      return "unknown";
  }
}

}  // namespace pipecorr::hostkit
