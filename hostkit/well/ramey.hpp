// The flowing temperature of a producing well by Ramey's heat-transfer
// solution, with the relaxation distance from the correlation of Shiu and
// Beggs (both as presented in Brill & Mukherjee, "Multiphase Flow in
// Wells", SPE Monograph 17, 1999).
//
// Fluid enters at the bottom at the inlet temperature and rises through
// earth whose undisturbed temperature falls linearly upward. At a height z
// above the inflow (TVD, m) the fluid's temperature is
//
//   T(z) = Te(z) + g A (1 - exp(-z/A)) + (Tin - Tbh) exp(-z/A),
//   Te(z) = Tbh - g z,
//
// g the geothermal gradient (K per m of depth), A the relaxation distance.
// Far above the inflow the fluid runs warmer than the earth by g A (with g
// counted along the flow, which climbs, the offset reads "-g A"); at the
// inflow it has the inlet temperature. The heat balance is taken along
// TVD, as for a vertical well.
#pragma once

#include <optional>

#include "well/input_error.hpp"

namespace pipecorr::well {

struct RameyInputs {
  double bottom_tvd = 0.0;          // m, TVD of the inflow
  double bottom_temperature = 0.0;  // K, earth temperature at bottom_tvd
  double geothermal_gradient =
      0.0;  // K/m, rise of earth temperature with depth
  double relaxation_distance = 0.0;  // m, A (> 0)
  // K, of the fluid entering at the bottom; absent: the earth's there.
  std::optional<double> inlet_temperature;
};

class RameyTemperature {
 public:
  // Throws WellInputError for a value that is not finite, a temperature
  // that is not positive, or a relaxation distance that is not positive.
  explicit RameyTemperature(const RameyInputs& inputs);

  // Flowing temperature (K) at `tvd` (m). Below the inflow (tvd beyond
  // bottom_tvd) the fluid has not started to rise: the inlet temperature.
  [[nodiscard]] double at_tvd(double tvd) const;

  // Undisturbed earth temperature (K) at `tvd` (m), linear in depth.
  [[nodiscard]] double earth_at_tvd(double tvd) const;

  [[nodiscard]] const RameyInputs& inputs() const { return inputs_; }

 private:
  RameyInputs inputs_;
  double inlet_;
};

// Shiu & Beggs' inputs, in the authors' field units. This is their form
// for when the wellhead pressure is not known.
struct ShiuBeggsFieldInputs {
  double mass_rate = 0.0;        // lbm/s, total of liquid and gas
  double inside_diameter = 0.0;  // in
  double oil_api = 0.0;          // degrees API
  double gas_gravity = 0.0;      // relative to air
  double liquid_density = 0.0;   // lbm/ft3
};

// A = 0.0149 w^0.5253 rhoL^2.9303 d^-0.2904 API^0.2608 gg^4.4146, in ft.
// Throws WellInputError for an input that is not positive and finite.
[[nodiscard]] double shiu_beggs_relaxation_distance_ft(
    const ShiuBeggsFieldInputs& in);

// The same in SI: mass rate kg/s, inside diameter m, liquid density kg/m3
// (API and gas gravity have no units); returns m.
[[nodiscard]] double shiu_beggs_relaxation_distance(double mass_rate,
                                                    double inside_diameter,
                                                    double oil_api,
                                                    double gas_gravity,
                                                    double liquid_density);

// Ramey's model from field-unit inputs, the fluid entering at the earth's
// temperature.
struct RameyFieldInputs {
  ShiuBeggsFieldInputs flow;
  double geothermal_gradient = 0.0;  // degrees F per ft of depth
  double bottom_temperature = 0.0;   // degrees F
  double bottom_tvd = 0.0;           // ft
};

[[nodiscard]] RameyTemperature ramey_from_field_units(
    const RameyFieldInputs& in);

}  // namespace pipecorr::well
