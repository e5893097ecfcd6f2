#include "wells/ansari_slug.hpp"

#include <algorithm>
#include <cmath>

#include "portable_math/portable_math.hpp"
#include "wells/bracketed_root.hpp"
#include "wells/wall_friction.hpp"

namespace pipecorr::wells::ansari_model {
namespace {

constexpr double kSylvesterVelocity = 0.425 * 0.3048;  // 0.425 ft/s, m/s
constexpr double kSlugLengthDiameters = 30.0;

// J(x) = x^2/2 - x + ln(1 + x) and K(x) = x - ln(1 + x), the developing
// film's integrals, with their series below x = 0.1 where the logarithm's
// form cancels (terms to x^20: the first omitted is below 1e-17 of the
// sum).
struct FilmIntegrals {
  double j = 0.0;
  double k = 0.0;
};

FilmIntegrals film_integrals(double x) noexcept {
  FilmIntegrals out;
  if (x < 0.1) {
    // ln(1+x) = sum (-1)^(n+1) x^n / n; J starts at x^3/3, K at x^2/2.
    double j = 0.0;
    double k = 0.0;
    for (int n = 20; n >= 2; --n) {
      const double term = (n % 2 == 0 ? -1.0 : 1.0) / n;  // (-1)^(n+1)/n
      j = j * x + (n >= 3 ? term : 0.0);
      k = k * x - term;
    }
    out.j = j * x * x;  // the loop built sum_{n>=3} c_n x^(n-2)
    out.k = k * x * x;  // sum_{n>=2} -c_n x^(n-2)
    return out;
  }
  const double ln = pm::log(1.0 + x);
  out.j = 0.5 * x * x - x + ln;
  out.k = x - ln;
  return out;
}

}  // namespace

SlugUnit slug(const WellPoint& p, const Fluid& f) noexcept {
  const double vm = f.m.vm;
  const double d = p.diam;
  const double v_tb =
      1.2 * vm + 0.35 * std::sqrt(kGravity * d * f.drho / p.rol);
  const double hg_ls = p.usg / (kSylvesterVelocity + 2.65 * vm);
  SlugUnit out;
  out.hl_ls = 1.0 - hg_ls;
  const double vg_ls = 1.2 * vm + f.v_rise * std::sqrt(out.hl_ls);
  const double a = vm + hg_ls * (v_tb - vg_ls);
  const double brotz = 9.916 * std::sqrt(kGravity * d);

  // 1 - (1 - h)^1/2 written h / (1 + (1 - h)^1/2), exact for a thin film.
  const auto film = [&](double h, double& value, double& slope) {
    const double r = std::sqrt(1.0 - h);
    const double drop = h / (1.0 + r);
    const double root = std::sqrt(drop);
    value = brotz * root * h - v_tb * (1.0 - h) + a;
    slope = v_tb + brotz * root +
            (root > 0.0 && r > 0.0 ? brotz * h / (4.0 * root * r) : 0.0);
  };
  double hl_tb = 1.0;
  double lo_value = 0.0;
  double hi_value = 0.0;
  double ignored = 0.0;
  film(0.0, lo_value, ignored);
  film(1.0, hi_value, ignored);
  if (hi_value > 0.0) hl_tb = bracketed_root(film, 0.0, 1.0, 0.15);
  const double hg_tb = 1.0 - hl_tb;

  const double gas_in_bubbles = p.usg - vg_ls * hg_ls;
  const double bubble_gas = v_tb * (hg_tb - hg_ls);
  double beta = 0.0;
  if (gas_in_bubbles > 0.0 && bubble_gas > 0.0) {
    beta = std::min(1.0, gas_in_bubbles / bubble_gas);
  }
  out.beta = beta;
  out.hl_tb = hl_tb;

  if (beta > 0.0 && beta < 1.0) {
    const double slug_length = kSlugLengthDiameters * d;
    const double v_film = brotz * std::sqrt(1.0 - std::sqrt(hg_tb));
    // Liquid balance of a unit whose film falls freely over a bubble of
    // length L = vTB^2 x^2 / (2g):
    //   R(x) = L_LS (usg - vgLS HgLS) - Q (vTB^2/g) J(x)
    //          - usl vTB^2 x^2 / (2g),
    // Q = (vTB - vLLS) HLLS the liquid flux into the film, decreasing in x.
    const double q = v_tb * out.hl_ls - (vm - vg_ls * hg_ls);
    const double scale = v_tb * v_tb / kGravity;
    const double x_full = v_film / v_tb;  // the film at Brotz's velocity
    const auto balance = [&](double x, double& value, double& slope) {
      const FilmIntegrals fi = film_integrals(x);
      // Negated so that the root finder sees an increasing function.
      value = -(slug_length * gas_in_bubbles - q * scale * fi.j -
                p.usl * 0.5 * scale * x * x);
      slope = q * scale * x * x / (1.0 + x) + p.usl * scale * x;
    };
    double at_full = 0.0;
    balance(x_full, at_full, ignored);
    if (at_full > 0.0) {
      const double x = bracketed_root(balance, 0.0, x_full, 0.5 * x_full);
      const double length = 0.5 * scale * x * x;
      const FilmIntegrals fi = film_integrals(x);
      out.developing = true;
      out.beta = length / (slug_length + length);
      // Mean film holdup (Q / L) (vTB / g) K(x).
      out.hl_tb = x > 0.0 ? q * v_tb * fi.k / (kGravity * length) : hl_tb;
      out.hl_tb = std::clamp(out.hl_tb, 0.0, 1.0);
    }
  }

  const double rho_ls = p.rol * out.hl_ls + p.rog * hg_ls;
  out.h.holdup = (1.0 - out.beta) * out.hl_ls + out.beta * out.hl_tb;
  out.h.elevation =
      ((1.0 - out.beta) * rho_ls + out.beta * p.rog) * kGravity * f.s;
  out.h.friction = (1.0 - out.beta) *
                   wall_gradient_with_head(p.rol, rho_ls, vm, p.visl, d, p.eps);
  return out;
}

}  // namespace pipecorr::wells::ansari_model
