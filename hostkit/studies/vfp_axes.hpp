// The axes of a lift table, SI: those the case gives (vfp_* keys) and
// defaults made from the case for the rest, and the standard rates of the
// well at one point of the table.
#pragma once

#include <cstddef>
#include <vector>

#include "cases/well_case.hpp"
#include "fluids/black_oil.hpp"
#include "studies/vfp_table.hpp"

namespace pipecorr::hostkit {

struct VfpAxes {
  bool injector = false;
  VfpRateType rate_type = VfpRateType::kLiquid;
  VfpWaterType water_type = VfpWaterType::kWaterCut;
  VfpGasType gas_type = VfpGasType::kGasOilRatio;
  // Rates of the rate type's phase (std m3/s), THP (Pa), water and gas
  // fractions (a plain fraction for WCT and WOR, std m3/m3 otherwise).
  // An injector's water and gas axes hold one 0 each.
  std::vector<double> rates;
  std::vector<double> thp;
  std::vector<double> water;
  std::vector<double> gas;

  [[nodiscard]] std::size_t size() const {
    return rates.size() * thp.size() * water.size() * gas.size();
  }
  // The point's place in a table with the rate index running fastest,
  // then gas, water and THP (as the deck's records list them).
  [[nodiscard]] std::size_t at(std::size_t t, std::size_t w, std::size_t g,
                               std::size_t r) const {
    return ((t * water.size() + w) * gas.size() + g) * rates.size() + r;
  }
};

// The case's axes, defaults filled in:
// - rates: 0.05, 0.1, 0.15, 0.25, 0.4, 0.6, 0.8, 1, 1.5 and 2 times the
//   case's rate of the rate type's phase;
// - THP: 0.75, 1, 1.25, 1.5 and 2 times the case's wellhead pressure;
// - water: 0, half the case's, the case's and two more evenly up to 0.95
//   (WCT; 0, 0.2, 0.4, 0.6 and 0.8 when the case has no water), or 0 and
//   0.25, 0.5, 1, 1.5 and 2 times the case's ratio (WOR, WGR);
// - gas: 0.25, 0.5, 1, 1.5 and 2 times the case's ratio.
// Throws Error for a case whose table cannot be made: no wellhead
// pressure and no vfp_thp, a default axis that would be all zero, or a
// point whose rates cannot be formed (a water cut of 1 with an oil rate,
// an oil-gas ratio of 0 with an oil rate, ...).
[[nodiscard]] VfpAxes vfp_axes(const WellCase& well_case);

// The oil, water and gas rates (std m3/s) of a producer at a rate of the
// rate type and water and gas fractions of the given types. Throws Error
// when they admit no rates of the well's phases that are finite and not
// negative.
[[nodiscard]] fluids::StandardRates vfp_point_rates(const VfpAxes& axes,
                                                    double rate, double water,
                                                    double gas);

// The deck's word for each type ("LIQ", "WCT", "GOR", ...).
[[nodiscard]] std::string_view vfp_rate_word(VfpRateType type);
[[nodiscard]] std::string_view vfp_water_word(VfpWaterType type);
[[nodiscard]] std::string_view vfp_gas_word(VfpGasType type);

}  // namespace pipecorr::hostkit
