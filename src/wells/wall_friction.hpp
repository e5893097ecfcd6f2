// Wall friction of one fluid in a duct, on the shared Moody factor.
#pragma once

namespace pipecorr::wells {

// The Moody factor (Darcy basis) at Reynolds number `reynolds` > 0 for a
// wall of absolute roughness `eps` in a duct of hydraulic diameter `dh`.
// The relative roughness is taken as at most 0.05 (the factor's chart ends
// there, and Colebrook's equation has no root from 3.7 on; a layer's
// hydraulic diameter can be far below the pipe's), and the Reynolds number
// as at most 1e15, where the factor is flat to many digits and Colebrook's
// start value would otherwise overflow.
[[nodiscard]] double wall_factor(double reynolds, double eps,
                                 double dh) noexcept;

// The wall-shear pressure gradient f rho v^2 / (2 dh), Pa/m, for a fluid of
// density rho and viscosity mu moving at mean velocity v >= 0 through a
// duct of hydraulic diameter dh > 0. Laminar flow (Re <= 2000) is written
// 32 mu v / dh^2, which is the same number but never divides by a
// vanishing Reynolds number: a film that carries almost no liquid has
// almost no friction, not an overflow.
[[nodiscard]] double wall_gradient(double rho, double v, double mu, double dh,
                                   double eps) noexcept;

// The same with the factor taken at Re = rho_reynolds v dh / mu and the
// velocity head carried by another density: f rho_head v^2 / (2 dh). The
// correlations read the factor off one mixture (no-slip, or the continuous
// liquid) and apply it to the in-situ one.
[[nodiscard]] double wall_gradient_with_head(double rho_reynolds,
                                             double rho_head, double v,
                                             double mu, double dh,
                                             double eps) noexcept;

// The wall-shear gradient at a given relative roughness, taken as it is
// (Gray's and Duns & Ros' mist roughness run beyond the chart's 0.05):
// f(Re = rho v d / mu, rr) rho v^2 / (2 d), laminar flow (Re <= 2000, or
// not a number) as 32 mu v / d^2, so a vanishing velocity cannot overflow
// the factor.
[[nodiscard]] double wall_gradient_at(double rho, double v, double mu, double d,
                                      double relative_roughness) noexcept;

}  // namespace pipecorr::wells
