// Ansari et al.'s annular-flow hydrodynamics and Barnea's two conditions
// for its existence.
//
// A liquid film of dimensionless thickness delta (of d) on the wall and a
// gas core carrying the entrained fraction FE of the liquid (Wallis:
// FE = 1 - exp[-0.125 (vcrit - 1.5)], vcrit = 1e4 usg mu_g / sigma
// (rho_g / rho_l)^1/2, and no entrainment below vcrit 1.5). With the core's
// no-slip density rho_c and superficial velocity usg + FE usl, the
// superficial core gradient (dp/dz)_SC and the film's liquid
// superficial gradient at the film's Reynolds number rho_l usl (1 - FE) d
// / mu_l (which is (dp/dz)_SL (1 - FE)^2 f_F / f_SL),
//   X_M^2 = film superficial gradient / (dp/dz)_SC,
//   Y_M   = g sin(fi) (rho_l - rho_c) / (dp/dz)_SC,
// the combined momentum equation of core and film, H = 4 delta (1 - delta),
//   Y_M - Z / [H (1 - H)^2.5] + X_M^2 / H^3 = 0,
//   Z = 1 + 300 delta (FE > 0.9, Wallis), else 1 + 24 (rho_l/rho_g)^1/3
//   delta (Whalley & Hewitt),
// gives the film. (1 - H)^2.5 is (1 - 2 delta)^5, so the equation is
// polynomial in delta; it may have several roots and the thinnest film
// is the one that forms. It is found by sampling 16 points up to the
// bridging limit and bisecting the first sign change (60 halvings).
//
// Annular flow needs that film to be stable and thin:
//  - Barnea's film stability: Y_M < (2 - 1.5 H) X_M^2 / [H^3 (1 - 1.5 H)];
//  - no bridging: H <= 0.12 (half of the slug body's least holdup, 0.24);
//    so no root beyond it is sought.
// Gradient (core momentum): friction Z / (1 - 2 delta)^5 (dp/dz)_SC,
// elevation rho_c g sin(fi). Holdup: the film plus the core's liquid,
// H + lambda_c (1 - H).
#pragma once

#include "wells/ansari_map.hpp"

namespace pipecorr::wells::ansari_model {

struct AnnularFilm {
  bool exists = false;  // a thin stable film below the bridging limit
  double delta = 0.0;   // film thickness / d
  double film_holdup = 0.0;
  double entrained = 0.0;  // FE
  Hydraulics h;            // meaningful when `exists`
};

[[nodiscard]] AnnularFilm annular(const WellPoint& p, const Fluid& f) noexcept;

}  // namespace pipecorr::wells::ansari_model
