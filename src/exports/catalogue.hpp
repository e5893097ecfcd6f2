// The catalogue of correlations a host asks for before it calls one.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "pipecorr/pipecorr.h"

namespace pipecorr::exports {

struct CatalogueRow {
  std::string_view name;
  std::int32_t type;
  std::string_view description;
  // 2: single-precision argument list, 3: double-precision argument list.
  std::int32_t link_info;
};

inline constexpr std::array<CatalogueRow, 3> kCatalogue{{
    {"BB_2", 1, "Beggs & Brill Revised from USERDLL", PIPECORR_LINK_SINGLE},
    {"BB_3", 1, "real*8 Beggs & Brill Revised from USERDLL",
     PIPECORR_LINK_DOUBLE},
    {"ORBA_3", 1, "32-bit ORBA Correlation", PIPECORR_LINK_DOUBLE},
}};
static_assert(PIPECORR_LINK_SINGLE == 2 && PIPECORR_LINK_DOUBLE == 3,
              "link info equals the numeric suffix of the entry's name");

// Fills the first three elements of each array (names 40 and descriptions
// 80 characters each, blank-padded) and sets lines to 3.
void describe_correlations(char* names, std::int32_t* types, char* descriptions,
                           std::int32_t* link_info,
                           std::int32_t& lines) noexcept;

}  // namespace pipecorr::exports
