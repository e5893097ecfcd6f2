// DESCRIPTN_2: the correlations a plug-in offers.
#include "exports/catalogue.hpp"

#include "log/debug_log.hpp"
#include "log/fixed_text.hpp"

namespace pipecorr::exports {

using text::kDescriptionLength;
using text::kNameLength;
using text::put_fixed;

void describe_correlations(std::span<const CatalogueRow> rows, char* names,
                           std::int32_t* types, char* descriptions,
                           std::int32_t* link_info,
                           std::int32_t& lines) noexcept {
  dbg::trace([](dbg::Block& b) { b.record(" Entering DESCRIPTN_2"); });

  std::size_t row = 0;
  for (const CatalogueRow& entry : rows) {
    put_fixed(names + row * kNameLength, kNameLength, entry.name);
    types[row] = entry.type;
    put_fixed(descriptions + row * kDescriptionLength, kDescriptionLength,
              entry.description);
    link_info[row] = entry.link_info;
    ++row;
  }
  lines = static_cast<std::int32_t>(rows.size());

  // The listing shows the host's arrays as they now hold the answer.
  dbg::trace([&](dbg::Block& b) {
    b.record(" ");
    b.record(" lines of info = ", lines);
    b.record(" names = ");
    b.texts(names, kNameLength, lines);
    b.record(" ");
    b.record(" types = ");
    b.integers(types, lines);
    b.record(" ");
    b.record(" descriptions = ");
    b.texts(descriptions, kDescriptionLength, lines);
    b.record(" ");
    b.record(" link info = ");
    b.integers(link_info, lines);
    b.record(" ");
    b.record("leaving DESCRIPTN_2");
  });
}

}  // namespace pipecorr::exports
