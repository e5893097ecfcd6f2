#include "adapter/pattern_code.hpp"

#include <cmath>

namespace pipecorr::orba {

std::int32_t truncate_pattern(double ptclc) noexcept {
  // std::trunc ignores the rounding mode; the range test keeps the cast
  // defined (a NaN fails it too).
  const double whole = std::trunc(ptclc);
  if (!(whole >= -2147483648.0 && whole <= 2147483647.0)) return 0;
  return static_cast<std::int32_t>(whole);
}

std::int32_t host_pattern_code(std::int32_t iflowp) noexcept {
  if (iflowp < 1 || iflowp > static_cast<std::int32_t>(kIdTab.size())) {
    return kNoPatternCode;
  }
  return kIdTab[static_cast<std::size_t>(iflowp - 1)];
}

}  // namespace pipecorr::orba
