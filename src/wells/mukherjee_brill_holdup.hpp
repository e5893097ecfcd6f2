// Mukherjee & Brill's liquid holdup and their annular friction-factor
// ratio (Mukherjee, H. and Brill, J.P.: "Liquid Holdup Correlations for
// Inclined Two-Phase Flow", JPT, May 1983, 1003-1008; "Pressure Drop
// Correlations for Inclined Two-Phase Flow", J. Energy Res. Tech. 107
// (1985) 549-554; Brill & Mukherjee, SPE Monograph 17, Chapter 4).
#pragma once

#include "wells/mukherjee_brill_map.hpp"

namespace pipecorr::wells::mb {

// HL = exp[(C1 + C2 s + C3 s^2 + C4 NL^2) Ngv^C5 / NLv^C6].
struct HoldupSet {
  double c1, c2, c3, c4, c5, c6;
};

// Uphill and horizontal flow, every pattern.
inline constexpr HoldupSet kUphill{-0.380113, 0.129875, -0.119788,
                                   2.343227,  0.475686, 0.288657};
// Downhill stratified flow.
inline constexpr HoldupSet kDownhillStratified{-1.330282, 4.808139, 4.171584,
                                               56.262268, 0.079951, 0.504887};
// Downhill bubble, slug and annular flow.
inline constexpr HoldupSet kDownhillOther{-0.516644, 0.789805, 0.551627,
                                          15.519214, 0.371771, 0.393952};

// The set for a pattern at s = sin(inclination): uphill for s >= 0.
[[nodiscard]] const HoldupSet& holdup_set(int pattern, double s) noexcept;

// The holdup of a two-phase point (NLv, Ngv > 0). A bracket that is not
// negative (a very viscous liquid, where C4 NL^2 outweighs the rest; the
// fits end well before) gives a full pipe, holdup 1.
[[nodiscard]] double holdup(const HoldupSet& c, const Numbers& n,
                            double s) noexcept;

// The annular friction-factor ratio f / f_no-slip against the holdup
// ratio HR = no-slip holdup / holdup: the published table
//   HR   0.01  0.20  0.30  0.40  0.50  0.70  1.00  10.0
//   fR   1.00  0.98  1.20  1.25  1.30  1.25  1.00  1.00
// read by straight lines between its points, and 1.00 outside it.
[[nodiscard]] double annular_friction_ratio(double holdup_ratio) noexcept;

}  // namespace pipecorr::wells::mb
