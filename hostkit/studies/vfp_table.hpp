// A lift table as a reservoir simulator reads it: bottom-hole pressure over
// flow rate x tubing-head pressure x water fraction x gas fraction x
// artificial lift. Values are held in the deck's own units (the table's
// unit system, not the case's), so a writer prints them as they are.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace pipecorr::hostkit {

// The deck's unit system. Field: rates STB/d (gas Mscf/d), pressures psia,
// depth ft, GOR/GLR Mscf/STB, WGR STB/Mscf, OGR STB/Mscf. Metric: rates
// sm3/d, pressures barsa, depth m, ratios sm3/sm3. Only LIQ/WCT/GOR in both
// systems have been checked against the simulator so far.
enum class VfpUnits { kField, kMetric };

// OIL LIQ GAS, and WAT for injectors.
enum class VfpRateType { kOil, kLiquid, kGas, kWater };
enum class VfpWaterType {
  kWaterCut,
  kWaterOilRatio,
  kWaterGasRatio
};  // WCT WOR WGR
enum class VfpGasType {
  kGasOilRatio,
  kGasLiquidRatio,
  kOilGasRatio
};  // GOR GLR OGR

struct VfpProductionTable {
  int number = 1;            // the table number wells refer to, >= 1
  double datum_depth = 0.0;  // TVD the pressures are given at
  VfpUnits units = VfpUnits::kField;
  VfpRateType rate_type = VfpRateType::kLiquid;
  VfpWaterType water_type = VfpWaterType::kWaterCut;
  VfpGasType gas_type = VfpGasType::kGasOilRatio;

  // Each axis strictly increasing. One artificial-lift value (0) until
  // artificial lift is modelled.
  std::vector<double> rates;
  std::vector<double> thp;
  std::vector<double> water;
  std::vector<double> gas;
  std::vector<double> alq{0.0};

  // Bottom-hole pressures, the rate index running fastest, then the
  // artificial-lift, gas, water and THP indices: see at().
  std::vector<double> bhp;

  [[nodiscard]] std::size_t size() const {
    return thp.size() * water.size() * gas.size() * alq.size() * rates.size();
  }
  [[nodiscard]] std::size_t at(std::size_t t, std::size_t w, std::size_t g,
                               std::size_t a, std::size_t r) const {
    return (((t * water.size() + w) * gas.size() + g) * alq.size() + a) *
               rates.size() +
           r;
  }
};

// An injector's table: bottom-hole pressure over the injected phase's rate
// and tubing-head pressure.
struct VfpInjectionTable {
  int number = 1;
  double datum_depth = 0.0;
  VfpUnits units = VfpUnits::kField;
  VfpRateType rate_type = VfpRateType::kWater;
  std::vector<double> rates;
  std::vector<double> thp;
  std::vector<double> bhp;  // the rate index running fastest

  [[nodiscard]] std::size_t size() const { return thp.size() * rates.size(); }
};

}  // namespace pipecorr::hostkit
