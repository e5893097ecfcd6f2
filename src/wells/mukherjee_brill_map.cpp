#include "wells/mukherjee_brill_map.hpp"

#include <cmath>

#include "portable_math/portable_math.hpp"
#include "wells/flow_basics.hpp"

namespace pipecorr::wells::mb {
namespace {

double ten_to(double x) noexcept { return pm::pow(10.0, x); }

}  // namespace

Numbers numbers(const WellPoint& p) noexcept {
  // Fourth roots by two square roots: exact to the rounding of sqrt on
  // every target.
  const double velocity_scale =
      std::sqrt(std::sqrt(p.rol / (kGravity * p.sigma)));
  Numbers n;
  n.nlv = p.usl * velocity_scale;
  n.ngv = p.usg * velocity_scale;
  n.nl = p.visl *
         std::sqrt(std::sqrt(kGravity / (p.rol * p.sigma * p.sigma * p.sigma)));
  return n;
}

double ngv_bubble_slug_up(const Numbers& n, double s) noexcept {
  return n.nlv * ten_to(0.940 + 0.074 * s - 0.855 * s * s + 3.695 * n.nl);
}

double ngv_slug_annular(const Numbers& n) noexcept {
  return ten_to(1.401 - 2.694 * n.nl + 0.521 * pm::pow(n.nlv, 0.329));
}

double nlv_bubble_slug_down(const Numbers& n, double s) noexcept {
  const double x = pm::log10(n.ngv);
  return ten_to(0.431 - 3.003 * n.nl - 1.138 * x * s - 0.429 * x * x * s +
                1.132 * s);
}

double nlv_stratified(const Numbers& n, double s) noexcept {
  const double x = pm::log10(n.ngv);
  return ten_to(0.321 - 0.017 * n.ngv - 4.267 * s - 2.972 * n.nl -
                0.033 * x * x - 3.925 * s * s);
}

std::int32_t pattern(const Numbers& n, double s) noexcept {
  if (n.ngv > ngv_slug_annular(n)) return PIPECORR_PATTERN_MB_ANNULAR;
  if (s > 0.0) {
    return n.ngv > ngv_bubble_slug_up(n, s) ? PIPECORR_PATTERN_MB_SLUG
                                            : PIPECORR_PATTERN_MB_BUBBLE;
  }
  if (n.nlv <= nlv_stratified(n, s)) return PIPECORR_PATTERN_MB_STRATIFIED;
  return n.nlv > nlv_bubble_slug_down(n, s) ? PIPECORR_PATTERN_MB_BUBBLE
                                            : PIPECORR_PATTERN_MB_SLUG;
}

}  // namespace pipecorr::wells::mb
