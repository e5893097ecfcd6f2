// COPYRIGHT_I and COPYRIGHT_E: the identification lines.
#include "exports/identification.hpp"

#include "log/debug_log.hpp"
#include "log/fixed_text.hpp"

namespace pipecorr::exports {

void identify(const Identification& texts, Variant variant, char* lines,
              std::int32_t& count) noexcept {
  const bool version = variant == Variant::kVersion;
  dbg::trace([version](dbg::Block& b) {
    b.record(version ? " Entering COPYRIGHT_I" : " Entering COPYRIGHT_E");
  });
  const IdentificationLines& chosen = version ? texts.version : texts.interface;
  for (std::size_t i = 0; i < chosen.size(); ++i) {
    text::put_fixed(lines + i * text::kLineLength, text::kLineLength,
                    chosen[i]);
  }
  count = kIdentificationLines;
}

}  // namespace pipecorr::exports
