#include "plugin/pattern_names.hpp"

#include <array>
#include <string>

#include "pipecorr/pipecorr.h"

namespace pipecorr::hostkit {
namespace {

// ORBA_3 maps engine pattern numbers 1..10 onto host codes through the
// public header's table; the names follow it.
constexpr std::array<std::int32_t, PIPECORR_ENGINE_PATTERNS> kEngineCodes =
    PIPECORR_ENGINE_PATTERN_CODES;

const std::array<std::string, PIPECORR_ENGINE_PATTERNS>& engine_names() {
  static const auto names = [] {
    std::array<std::string, PIPECORR_ENGINE_PATTERNS> all;
    for (std::size_t k = 0; k < all.size(); ++k) {
      all[k] = "engine pattern " + std::to_string(k + 1);
    }
    return all;
  }();
  return names;
}

}  // namespace

std::optional<std::size_t> engine_pattern_index(std::int32_t id) {
  for (std::size_t k = 0; k < kEngineCodes.size(); ++k) {
    if (kEngineCodes[k] == id) return k;
  }
  return std::nullopt;
}

std::string pattern_name(std::int32_t id) {
  switch (id) {
    case PIPECORR_PATTERN_NONE:
      return "none";
    case PIPECORR_PATTERN_SEGREGATED:
      return "segregated";
    case PIPECORR_PATTERN_TRANSITION:
      return "transition";
    case PIPECORR_PATTERN_INTERMITTENT:
      return "intermittent";
    case PIPECORR_PATTERN_DISTRIBUTED:
      return "distributed";
    case PIPECORR_PATTERN_LIQUID_ONLY:
      return "single-phase liquid";
    case PIPECORR_PATTERN_GAS_ONLY:
      return "single-phase gas";
    case PIPECORR_PATTERN_HB_BUBBLE:
      return "HB bubble";
    case PIPECORR_PATTERN_HB_SLUG:
      return "HB slug";
    case PIPECORR_PATTERN_DR_BUBBLE:
      return "DR bubble";
    case PIPECORR_PATTERN_DR_SLUG:
      return "DR slug";
    case PIPECORR_PATTERN_DR_TRANSITION:
      return "DR transition";
    case PIPECORR_PATTERN_DR_MIST:
      return "DR mist";
    case PIPECORR_PATTERN_GRAY:
      return "Gray";
    case PIPECORR_PATTERN_MB_BUBBLE:
      return "MB bubble";
    case PIPECORR_PATTERN_MB_SLUG:
      return "MB slug";
    case PIPECORR_PATTERN_MB_ANNULAR:
      return "MB annular-mist";
    case PIPECORR_PATTERN_MB_STRATIFIED:
      return "MB stratified";
    case PIPECORR_PATTERN_ANSARI_BUBBLE:
      return "Ansari bubble";
    case PIPECORR_PATTERN_ANSARI_DISPERSED_BUBBLE:
      return "Ansari dispersed bubble";
    case PIPECORR_PATTERN_ANSARI_SLUG:
      return "Ansari slug";
    case PIPECORR_PATTERN_ANSARI_ANNULAR:
      return "Ansari annular";
    default:
      break;
  }
  if (const auto k = engine_pattern_index(id)) return engine_names()[*k];
  // Another plug-in's own code: shown by its number, not refused.
  return "pattern " + std::to_string(id);
}

}  // namespace pipecorr::hostkit
