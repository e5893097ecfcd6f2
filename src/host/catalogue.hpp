// The catalogue of correlations a host asks for before it calls one.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace pipecorr::host {

inline constexpr std::size_t kNameLength = 40;
inline constexpr std::size_t kDescriptionLength = 80;

struct CatalogueRow {
  std::string_view name;
  std::int32_t type;
  std::string_view description;
  // 2: single-precision argument list, 3: double-precision argument list.
  std::int32_t link_info;
};

inline constexpr std::array<CatalogueRow, 3> kCatalogue{{
    {"BB_2", 1, "Beggs & Brill Revised from USERDLL", 2},
    {"BB_3", 1, "real*8 Beggs & Brill Revised from USERDLL", 3},
    {"ORBA_3", 1, "32-bit ORBA Correlation", 3},
}};

// Fills the first three elements of each array (names 40 and descriptions
// 80 characters each, blank-padded) and sets lines to 3.
void describe_correlations(char* names, std::int32_t* types, char* descriptions,
                           std::int32_t* link_info,
                           std::int32_t& lines) noexcept;

}  // namespace pipecorr::host
