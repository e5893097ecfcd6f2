#include "flow_pattern.hpp"

namespace twpc2032 {
namespace {

constexpr double kLiquidOnly = 0.999;
constexpr double kGasOnly = 0.001;
constexpr double kLiquidRich = 0.5;
constexpr double kMixed = 0.1;
constexpr double kSlow = 1.0;  // m/s
constexpr double kFast = 5.0;  // m/s

int velocity_band(double mixture_velocity) noexcept {
  if (mixture_velocity < kSlow) return 0;
  if (mixture_velocity < kFast) return 1;
  return 2;
}

}  // namespace

int flow_pattern(double liquid_fraction, double mixture_velocity) noexcept {
  if (liquid_fraction >= kLiquidOnly) return 1;
  if (liquid_fraction <= kGasOnly) return 2;
  if (liquid_fraction >= kLiquidRich)
    return 3 + velocity_band(mixture_velocity);
  if (liquid_fraction >= kMixed) return 6 + velocity_band(mixture_velocity);
  return mixture_velocity < kFast ? 9 : 10;
}

}  // namespace twpc2032
