#include "wells/moody.hpp"

#include "portable_math/portable_math.hpp"

namespace pipecorr::wells {
namespace {

constexpr double kLaminarEnd = 2000.0;
constexpr double kTurbulentStart = 4000.0;

}  // namespace

double colebrook_darcy(double reynolds, double relative_roughness) noexcept {
  // Newton's method on x = 1/sqrt(f):
  //   g(x) = x + 2 log10(r/3.7 + 2.51 x / Re) = 0.
  // g is increasing and concave in x, so Newton from below the root climbs
  // monotonically; Haaland's explicit factor is a start within a few per
  // cent. Six steps reach the last bits for any Re and roughness.
  const double r = relative_roughness / 3.7;
  const double haaland =
      -1.8 *
      pm::log10(pm::pow(relative_roughness / 3.7, 1.11) + 6.9 / reynolds);
  double x = haaland > 0.5 ? haaland : 0.5;
  const double ln10 = 2.302585092994046;
  for (int k = 0; k < 8; ++k) {
    const double a = r + 2.51 * x / reynolds;
    const double g = x + 2.0 * pm::log10(a);
    const double dg = 1.0 + 2.0 * 2.51 / (reynolds * a * ln10);
    const double next = x - g / dg;
    if (next == x) break;
    x = next;
  }
  return 1.0 / (x * x);
}

double moody_darcy(double reynolds, double relative_roughness) noexcept {
  if (reynolds <= kLaminarEnd) return 64.0 / reynolds;
  if (reynolds >= kTurbulentStart) {
    return colebrook_darcy(reynolds, relative_roughness);
  }
  const double laminar = 64.0 / kLaminarEnd;
  const double turbulent = colebrook_darcy(kTurbulentStart, relative_roughness);
  const double w = (reynolds - kLaminarEnd) / (kTurbulentStart - kLaminarEnd);
  return laminar + w * (turbulent - laminar);
}

}  // namespace pipecorr::wells
