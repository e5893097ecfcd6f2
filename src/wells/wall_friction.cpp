#include "wells/wall_friction.hpp"

#include "wells/moody.hpp"

namespace pipecorr::wells {
namespace {

constexpr double kMaxRelativeRoughness = 0.05;
constexpr double kMaxReynolds = 1e15;
constexpr double kLaminarEnd = 2000.0;

}  // namespace

double wall_factor(double reynolds, double eps, double dh) noexcept {
  double rr = eps / dh;
  if (!(rr <= kMaxRelativeRoughness)) rr = kMaxRelativeRoughness;
  const double re = reynolds < kMaxReynolds ? reynolds : kMaxReynolds;
  return moody_darcy(re, rr);
}

double wall_gradient_with_head(double rho_reynolds, double rho_head, double v,
                               double mu, double dh, double eps) noexcept {
  if (!(v > 0.0)) return 0.0;
  const double re = rho_reynolds * v * dh / mu;
  if (re <= kLaminarEnd) {
    return 32.0 * mu * v * (rho_head / rho_reynolds) / (dh * dh);
  }
  return wall_factor(re, eps, dh) * rho_head * v * v / (2.0 * dh);
}

double wall_gradient_at(double rho, double v, double mu, double d,
                        double relative_roughness) noexcept {
  const double re = rho * v * d / mu;
  if (!(re > kLaminarEnd)) return 32.0 * mu * v / (d * d);
  return moody_darcy(re, relative_roughness) * rho * v * v / (2.0 * d);
}

double wall_gradient(double rho, double v, double mu, double dh,
                     double eps) noexcept {
  return wall_gradient_with_head(rho, rho, v, mu, dh, eps);
}

}  // namespace pipecorr::wells
