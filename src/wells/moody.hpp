// The single-phase Moody friction factor (Darcy basis) shared by the well
// correlations: 64/Re in laminar flow up to Re 2000, Colebrook from 4000,
// and between them a straight line in Re from the laminar value at 2000 to
// the Colebrook value at 4000, so the factor has no jump anywhere.
#pragma once

namespace pipecorr::wells {

// `relative_roughness` is eps / diam (not negative). Re must be positive
// and finite.
[[nodiscard]] double moody_darcy(double reynolds,
                                 double relative_roughness) noexcept;

// Colebrook's equation solved to the last bits for Re > 0.
[[nodiscard]] double colebrook_darcy(double reynolds,
                                     double relative_roughness) noexcept;

}  // namespace pipecorr::wells
