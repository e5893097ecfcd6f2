// The one place where a survey's angle becomes a correlation's angle.
//
// Surveys give the inclination in degrees from vertical, measured looking
// down the hole (0 straight down, 90 horizontal, 180 straight up).
// Correlations take `fi` in degrees from horizontal, positive when the
// fluid flows uphill. Only the direction of flow decides the sign, never
// the direction in which a march computes: a producer's march down from
// the wellhead pressure and its march up from the bottom-hole pressure see
// the same `fi` at every depth, because the fluid moves up in both.
#pragma once

namespace pipecorr::well {

// Which way the fluid moves in the well.
enum class FlowDirection {
  kUpTheWell,    // a producer: from the bottom towards the wellhead
  kDownTheWell,  // an injector: from the wellhead towards the bottom
};

// `fi` (degrees from horizontal, positive uphill along the flow) for a
// pipe whose survey inclination is `inclination` (degrees from vertical,
// 0 to 180). A vertical producer gives +90, a vertical injector -90, a
// horizontal stretch 0 either way; a toe-up stretch (inclination above 90)
// of a producer gives a negative `fi`, the fluid flowing downhill there.
[[nodiscard]] double flow_inclination(double inclination,
                                      FlowDirection flow) noexcept;

// The inclination from vertical (degrees, 0 to 180) of a straight stretch
// of hole that descends `tvd_change` (m, positive downward) over `length`
// (m, > 0) of measured depth; the ratio is clamped to [-1, 1] so that a
// rounding excess never gives NaN.
[[nodiscard]] double chord_inclination(double tvd_change,
                                       double length) noexcept;

}  // namespace pipecorr::well
