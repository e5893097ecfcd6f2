#include "check/catalogue_rows.hpp"

#include <algorithm>

#include "pipecorr/pipecorr.h"

namespace pipecorr::hostkit {

bool printable(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return c >= ' ' && c <= '~'; });
}

std::vector<CallableRow> callable_rows(const PluginLibrary& library) {
  std::vector<CallableRow> rows;
  for (const auto& entry : library.catalogue()) {
    if (entry.name.empty() || !printable(entry.name)) continue;
    if (entry.link_info != PIPECORR_LINK_SINGLE &&
        entry.link_info != PIPECORR_LINK_DOUBLE) {
      continue;
    }
    if (is_interface_routine(entry.name)) continue;
    if (library.symbol(entry.name.c_str()) == nullptr) continue;
    const bool seen = std::any_of(rows.begin(), rows.end(), [&](const auto& r) {
      return r.name == entry.name;
    });
    if (!seen) rows.push_back({entry.name, entry.link_info});
  }
  return rows;
}

}  // namespace pipecorr::hostkit
