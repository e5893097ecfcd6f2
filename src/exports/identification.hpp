// The identification lines a host shows for a plug-in. The texts are the
// plug-in's own; writing them is shared.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace pipecorr::exports {

inline constexpr std::int32_t kIdentificationLines = 8;
using IdentificationLines = std::array<std::string_view, kIdentificationLines>;

enum class Variant { kVersion, kInterface };  // COPYRIGHT_I, COPYRIGHT_E

// A plug-in's lines for each variant, each at most 80 characters (cut
// beyond, blank-padded to 80).
struct Identification {
  IdentificationLines version;
  IdentificationLines interface;
};

// `lines` with line `index` (0-based) replaced.
[[nodiscard]] constexpr IdentificationLines with_line(
    IdentificationLines lines, std::size_t index,
    std::string_view line) noexcept {
  lines[index] = line;
  return lines;
}

// Fills eight 80-character lines and sets count to 8.
void identify(const Identification& texts, Variant variant, char* lines,
              std::int32_t& count) noexcept;

}  // namespace pipecorr::exports
