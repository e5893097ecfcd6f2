// What a plug-in supplies to the shared export layer: its catalogue rows,
// its identification texts and the name of its debug log. Everything else
// (the floating-point boundary, run setup and cleanup, the fixed-length
// texts, the log's switch, layout and record rules) is the same for every
// plug-in of this interface.
#pragma once

#include <cstdint>
#include <span>

#include "exports/catalogue.hpp"
#include "exports/identification.hpp"

namespace pipecorr::exports {

struct Plugin {
  std::span<const CatalogueRow> catalogue;
  Identification identification;
  // In the host's working directory; distinct per plug-in, so that two
  // plug-ins serving one host run never empty each other's log.
  const char* log_file_name;
};

// The bodies of the five exports every plug-in shares, each behind the
// floating-point guard with nothing thrown leaving it: a plug-in's export
// table calls them with its own texts.
void descriptn_2(const Plugin& plugin, char* names, std::int32_t* types,
                 char* descriptions, std::int32_t* link_info,
                 std::int32_t* lines) noexcept;
void copyright(const Plugin& plugin, Variant variant, char* lines,
               std::int32_t* count) noexcept;
void corr_int_setup(const Plugin& plugin) noexcept;
void corr_int_cleanup() noexcept;

}  // namespace pipecorr::exports
