#include "wells/ansari.hpp"

#include "wells/ansari_annular.hpp"
#include "wells/ansari_bubble.hpp"
#include "wells/ansari_map.hpp"
#include "wells/ansari_slug.hpp"
#include "wells/mukherjee_brill.hpp"
#include "wells/point_screen.hpp"
#include "wells/single_phase.hpp"

namespace pipecorr::wells {
namespace {

WellOutcome outcome(std::int32_t pattern,
                    const ansari_model::Hydraulics& h) noexcept {
  WellOutcome out;
  out.pattern = pattern;
  out.holdup = h.holdup;
  out.friction = h.friction;
  out.elevation = h.elevation;
  out.dp = h.friction + h.elevation;
  return checked(out);
}

}  // namespace

WellOutcome ansari(const WellPoint& p) noexcept {
  if (const auto reason = screen_point(p, false); !reason.empty()) {
    return failure(reason);
  }
  if (p.fi < 0.0) return mukherjee_brill(p);
  if (p.usl == 0.0 || p.usg == 0.0) return checked(single_phase(p));

  const ansari_model::Fluid f = ansari_model::fluid(p);
  if (p.usg > ansari_model::usg_annular_min(p, f)) {
    const ansari_model::AnnularFilm film = ansari_model::annular(p, f);
    if (film.exists) return outcome(PIPECORR_PATTERN_ANSARI_ANNULAR, film.h);
  }
  if (ansari_model::dispersed_bubble(p, f)) {
    return outcome(PIPECORR_PATTERN_ANSARI_DISPERSED_BUBBLE,
                   ansari_model::dispersed(p, f));
  }
  if (p.diam > ansari_model::min_bubble_diameter(p, f) &&
      p.usg < ansari_model::usg_bubble_slug(p, f)) {
    return outcome(PIPECORR_PATTERN_ANSARI_BUBBLE, ansari_model::bubble(p, f));
  }
  return outcome(PIPECORR_PATTERN_ANSARI_SLUG, ansari_model::slug(p, f).h);
}

}  // namespace pipecorr::wells
