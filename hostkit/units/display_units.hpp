// The units engineers read results in, beside the SI the interface speaks.
#pragma once

namespace pipecorr::hostkit {

inline constexpr double kPascalPerBar = 1e5;

// Pa/m to the bar/km engineers quote.
[[nodiscard]] constexpr double bar_per_km(double pascal_per_metre) {
  return pascal_per_metre / 100.0;
}

}  // namespace pipecorr::hostkit
