#include "wells/mukherjee_brill_holdup.hpp"

#include <array>
#include <cstddef>

#include "portable_math/portable_math.hpp"

namespace pipecorr::wells::mb {
namespace {

constexpr std::array<double, 8> kRatio{0.01, 0.20, 0.30, 0.40,
                                       0.50, 0.70, 1.00, 10.0};
constexpr std::array<double, 8> kFactor{1.00, 0.98, 1.20, 1.25,
                                        1.30, 1.25, 1.00, 1.00};

}  // namespace

const HoldupSet& holdup_set(int pattern, double s) noexcept {
  if (s >= 0.0) return kUphill;
  return pattern == PIPECORR_PATTERN_MB_STRATIFIED ? kDownhillStratified
                                                   : kDownhillOther;
}

double holdup(const HoldupSet& c, const Numbers& n, double s) noexcept {
  const double bracket = c.c1 + c.c2 * s + c.c3 * s * s + c.c4 * n.nl * n.nl;
  if (!(bracket < 0.0)) return 1.0;
  const double exponent = bracket * pm::pow(n.ngv, c.c5) / pm::pow(n.nlv, c.c6);
  return pm::exp(exponent);
}

double annular_friction_ratio(double holdup_ratio) noexcept {
  if (!(holdup_ratio > kRatio.front() && holdup_ratio < kRatio.back())) {
    return 1.0;
  }
  std::size_t k = 1;
  while (holdup_ratio > kRatio[k]) ++k;
  const double w = (holdup_ratio - kRatio[k - 1]) / (kRatio[k] - kRatio[k - 1]);
  return kFactor[k - 1] + w * (kFactor[k] - kFactor[k - 1]);
}

}  // namespace pipecorr::wells::mb
