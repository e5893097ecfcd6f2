// The catalogue of correlations a host asks for before it calls one. The
// rows are the plug-in's own; filling the host's arrays is shared.
#pragma once

#include <cstdint>
#include <span>
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
static_assert(PIPECORR_LINK_SINGLE == 2 && PIPECORR_LINK_DOUBLE == 3,
              "link info equals the numeric suffix of the entry's name");

// Fills the first rows.size() elements of each array (names 40 and
// descriptions 80 characters each, blank-padded) and sets lines to the
// number of rows.
void describe_correlations(std::span<const CatalogueRow> rows, char* names,
                           std::int32_t* types, char* descriptions,
                           std::int32_t* link_info,
                           std::int32_t& lines) noexcept;

}  // namespace pipecorr::exports
