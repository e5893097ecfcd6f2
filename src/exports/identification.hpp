// The identification lines a host shows for the plug-in.
#pragma once

#include <cstdint>

namespace pipecorr::exports {

inline constexpr std::int32_t kIdentificationLines = 8;

enum class Variant { kVersion, kInterface };  // COPYRIGHT_I, COPYRIGHT_E

// Fills eight 80-character lines and sets count to 8.
void identify(Variant variant, char* lines, std::int32_t& count) noexcept;

}  // namespace pipecorr::exports
