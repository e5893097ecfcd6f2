// COPYRIGHT_I and COPYRIGHT_E: the identification lines.
#include "exports/identification.hpp"

#include <array>
#include <string_view>

#include "log/debug_log.hpp"
#include "log/fixed_text.hpp"

namespace pipecorr::exports {
namespace {

using text::kLineLength;

// Line 3 is the only one that differs between the two variants. The tabs
// are part of the texts and are not expanded.
constexpr std::array<std::string_view, kIdentificationLines> kVersionLines{
    "  32-bit DLL with Kerno ORBA Correlation",
    "  Twpc20 correlation 14 March 97 version",
    "  32-bit version created 29 September 1997",
    "  Quorvandelics and Associates ",
    "  19 Tormandle Road",
    "  Eldham QX9 9ZZ",
    "  Telephone\t+00 100 555 0100",
    "  FAX\t\t+00 100 555 0199",
};
constexpr std::string_view kInterfaceLine3 =
    "  32-bit interface 11 December 1997";

}  // namespace

void identify(Variant variant, char* lines, std::int32_t& count) noexcept {
  const bool version = variant == Variant::kVersion;
  dbg::trace([version](dbg::Block& b) {
    b.record(version ? " Entering COPYRIGHT_I" : " Entering COPYRIGHT_E");
  });
  for (std::size_t i = 0; i < kVersionLines.size(); ++i) {
    const std::string_view line =
        (i == 2 && !version) ? kInterfaceLine3 : kVersionLines[i];
    text::put_fixed(lines + i * kLineLength, kLineLength, line);
  }
  count = kIdentificationLines;
}

}  // namespace pipecorr::exports
