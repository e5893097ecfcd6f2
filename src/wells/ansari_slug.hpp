// Ansari et al.'s slug-flow hydrodynamics: a slug unit of a liquid slug
// carrying small bubbles and a Taylor bubble with a falling film.
//
// The model's eight equations: the overall gas and liquid balances
// (with beta = L_TB / L_SU), the liquid and gas balances across the
// Taylor bubble's nose, and
//   vTB  = 1.2 vm + 0.35 [g d drho / rho_l]^1/2    (Taylor bubble),
//   vgLS = 1.2 vm + v_rise HLLS^1/2                (slug-body bubbles),
//   vLTB = 9.916 [g d (1 - HgTB^1/2)]^1/2          (Brotz's film),
//   HgLS = usg / (0.425 ft/s + 2.65 vm)            (Sylvester's slug body).
// Combined they leave one equation in the film holdup HLTB,
//   9.916 (g d)^1/2 (1 - (1 - HLTB)^1/2)^1/2 HLTB - vTB (1 - HLTB) + A = 0,
//   A = vm + HgLS (vTB - vgLS),
// increasing in HLTB and negative at 0, solved by bracketed Newton; then
//   beta = (usg - vgLS HgLS) / (vTB (HgTB - HgLS)), kept in [0, 1].
//
// A Taylor bubble shorter than the length its film needs to reach Brotz's
// velocity, z* = vLTB^2 / (2g), is developing: its film falls freely from
// the nose (vLTB(z) = (2 g z)^1/2) with the liquid flux relative to the
// bubble unchanged, and the liquid balance of a unit with a 30 d slug
// gives its length (bracketed Newton, at most 60 steps). The switch from a
// developing to a developed bubble is a small documented jump.
//
// Gradient: the film's weight is carried by the wall, so
//   elevation = [(1 - beta) rho_LS + beta rho_g] g sin(fi),
//   friction  = (1 - beta) f_LS rho_LS vm^2 / (2d),
// f_LS the Moody factor at rho_l vm d / mu_l. Holdup: the unit's in-situ
// liquid (1 - beta) HLLS + beta (mean film holdup).
#pragma once

#include "wells/ansari_map.hpp"

namespace pipecorr::wells::ansari_model {

struct SlugUnit {
  double hl_ls = 0.0;  // slug-body holdup
  double hl_tb = 0.0;  // mean film holdup along the Taylor bubble
  double beta = 0.0;   // Taylor bubble's share of the unit length
  bool developing = false;
  Hydraulics h;
};

[[nodiscard]] SlugUnit slug(const WellPoint& p, const Fluid& f) noexcept;

}  // namespace pipecorr::wells::ansari_model
