#include "adapter/screening.hpp"

#include <cmath>
#include <initializer_list>

namespace pipecorr::orba {

double clamp_to_range(double value, Range range) noexcept {
  if (value <= range.lower) value = range.lower;
  if (value >= range.upper) value = range.upper;
  return value;
}

std::optional<ScreenedInputs> screen(const HostInputs& in) noexcept {
  ScreenedInputs s{};
  s.usl = clamp_to_range(in.usl, kUslRange);
  s.usg = clamp_to_range(in.usg, kUsgRange);
  s.rol = clamp_to_range(in.rol, kRolRange);
  s.rog = clamp_to_range(in.rog, kRogRange);
  s.visl = clamp_to_range(in.visl, kVislRange);
  s.visg = clamp_to_range(in.visg, kVisgRange);
  s.sigma = clamp_to_range(in.sigma, kSigmaRange);
  s.diam = clamp_to_range(in.diam, kDiamRange);
  s.fi = clamp_to_range(in.fi, kFiRange);
  s.eps = clamp_to_range(in.eps, kEpsRange);
  for (const double v : {s.usl, s.usg, s.rol, s.rog, s.visl, s.visg, s.sigma,
                         s.diam, s.fi, s.eps}) {
    if (std::isnan(v)) return std::nullopt;
  }
  // Uses the screened gas velocity, so it runs after all ten clamps.
  const double liquid_limit = kLiquidToGasLimit * s.usg;
  if (s.usl > liquid_limit) s.usl = liquid_limit;
  return s;
}

}  // namespace pipecorr::orba
