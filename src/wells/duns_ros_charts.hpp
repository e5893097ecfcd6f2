// The charts of Duns & Ros (1963) that their correlation reads: L1 and L2
// of the bubble-slug boundary against N_d, the bubble-flow slip numbers
// F1..F4 and the slug-flow numbers F5..F7 against N_L, and the bubble and
// slug friction correction f2 against f1 R N_d^(2/3).
//
// PROVISIONAL VALUES. No published digitisation or curve fit of these
// charts was at hand when this file was written. The tables below were
// entered from the general shape of the published figures as remembered,
// NOT read from the figures nor taken from a published fit, and they have
// not been checked. DR_3's bubble and slug results depend on them (its
// mist flow does not). Replace the tables with a published digitisation
// (and name it here) before DR_3 is offered to users.
//
// Each chart is a piecewise-linear table in the log10 of its argument,
// flat beyond its ends, so every value is continuous and finite for any
// positive argument.
#pragma once

namespace pipecorr::wells::dr {

struct SlipNumbers {
  double f1, f2, f3, f4, f5, f6, f7;
};

struct BoundaryNumbers {
  double l1, l2;
};

[[nodiscard]] BoundaryNumbers boundary_numbers(double nd) noexcept;
[[nodiscard]] SlipNumbers slip_numbers(double nl) noexcept;
[[nodiscard]] double f2_correction(double argument) noexcept;

}  // namespace pipecorr::wells::dr
