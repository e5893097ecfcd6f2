// ANSARI_3: Ansari et al.'s mechanistic model for upward two-phase flow in
// wells.
//
// Source: Ansari, A.M., Sylvester, N.D., Sarica, C., Shoham, O. and Brill,
// J.P.: "A Comprehensive Mechanistic Model for Upward Two-Phase Flow in
// Wellbores", SPE Production & Facilities (May 1994) 143-152; as set out
// in Brill, J.P. and Mukherjee, H.: "Multiphase Flow in Wells", SPE
// Monograph 17 (1999), Chapter 4. Its parts: Taitel, Barnea & Dukler
// (AIChE J. 1980) and Barnea (Int. J. Multiphase Flow 1986, 1987) for the
// transitions, Caetano's bubble flow, Sylvester (1987) and Fernandes et
// al. (1983) for slug flow, Alves et al. (1991) for annular flow.
//
// Patterns (id), tested in this order:
//   33 annular: usg above the least gas velocity for drops to be lifted,
//      and a thin, stable, non-bridging film (ansari_annular.hpp);
//   31 dispersed bubble: Barnea's transition (ansari_map.hpp);
//   30 bubble: a pipe wide enough for bubble flow and usg below Taitel's
//      bubble/slug line (void fraction 0.25);
//   32 slug: otherwise (ansari_slug.hpp).
//   17 liquid only, 18 gas only: the phase alone (single_phase.hpp).
// Every boundary is a jump of the pattern and, in general, of the
// gradient: the model's patterns are separate physical pictures.
//
// Gradient, Pa/m, positive when pressure falls along the flow: elevation
// plus friction of the pattern's hydrodynamics. The model has no
// acceleration term (it neglects it in every pattern), so none is added
// and the pressure is not used.
//
// Downward flow (fi < 0), for which the model was not built, is handed
// over to Mukherjee & Brill (mukherjee_brill.hpp): the result is MB_3's,
// with MB_3's pattern codes 26-29, so a host can tell it from Ansari's.
// Horizontal and inclined upward points use the model's equations with
// g sin(fi) in the elevation and film momentum terms, as the model writes
// them; its bubble and Taylor-bubble closures are those of vertical flow.
//
// Validity: built and evaluated on well tests of vertical and deviated
// producing oil and gas wells (a databank of some 1700 well tests); its
// closures were fitted or derived for vertical pipes. Inputs
// are screened (point_screen.hpp); a result that would not be finite is
// the failure "pressure gradient is out of range".
//
// Iterations, each bracketed so that it ends on every input: the bubble
// holdup and the Taylor-bubble film (Newton inside a bisection bracket, at
// most 60 steps), the developing bubble's length (the same), the annular
// film (16 samples and 60 halvings).
#pragma once

#include "wells/well_point.hpp"

namespace pipecorr::wells {

[[nodiscard]] WellOutcome ansari(const WellPoint& p) noexcept;

}  // namespace pipecorr::wells
