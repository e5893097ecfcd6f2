// Conversions between SI, which a host speaks, and the oilfield units the
// correlations were published in: the one set of factors the fluid module,
// the well, the unit tables and the reports share. Exact factors where a
// definition exists (foot, inch, pound, barrel, psi from the pound-force), so a
// value survives a round trip to the last bit or two.
#pragma once

namespace pipecorr::units {

inline constexpr double kMetresPerFoot = 0.3048;
inline constexpr double kMetresPerInch = 0.0254;
inline constexpr double kKilogramsPerPound = 0.45359237;
inline constexpr double kCubicMetresPerCubicFoot =
    kMetresPerFoot * kMetresPerFoot * kMetresPerFoot;
// One oil barrel is 42 US gallons of 231 cubic inches.
inline constexpr double kCubicMetresPerBarrel =
    42.0 * 231.0 * kMetresPerInch * kMetresPerInch * kMetresPerInch;
inline constexpr double kCubicFeetPerBarrel =
    kCubicMetresPerBarrel / kCubicMetresPerCubicFoot;
// Pound-force per square inch, from standard gravity 9.80665 m/s².
inline constexpr double kPascalsPerPsi =
    kKilogramsPerPound * 9.80665 / (kMetresPerInch * kMetresPerInch);
inline constexpr double kSecondsPerDay = 86400.0;
inline constexpr double kPascalsPerBar = 1e5;

// Pressure: psia <-> Pa (absolute both sides; gauge values are the
// caller's business).
constexpr double psia_to_pa(double psia) { return psia * kPascalsPerPsi; }
constexpr double pa_to_psia(double pa) { return pa / kPascalsPerPsi; }

// Temperature: °F, °R and K.
constexpr double fahrenheit_to_rankine(double f) { return f + 459.67; }
constexpr double rankine_to_fahrenheit(double r) { return r - 459.67; }
constexpr double rankine_to_kelvin(double r) { return r / 1.8; }
constexpr double kelvin_to_rankine(double k) { return k * 1.8; }
constexpr double fahrenheit_to_kelvin(double f) {
  return rankine_to_kelvin(fahrenheit_to_rankine(f));
}
constexpr double kelvin_to_fahrenheit(double k) {
  return rankine_to_fahrenheit(kelvin_to_rankine(k));
}

// A temperature gradient: °F/ft -> K/m.
constexpr double fahrenheit_per_ft_to_k_per_m(double f_ft) {
  return f_ft * (5.0 / 9.0) / kMetresPerFoot;
}

// Pressure gradient: Pa/m -> the bar/km engineers quote.
constexpr double pa_per_m_to_bar_per_km(double pa_m) { return pa_m / 100.0; }

// Length.
constexpr double ft_to_m(double ft) { return ft * kMetresPerFoot; }
constexpr double m_to_ft(double m) { return m / kMetresPerFoot; }
constexpr double in_to_m(double in) { return in * kMetresPerInch; }
constexpr double m_to_in(double m) { return m / kMetresPerInch; }

// Mass rate: lbm/s <-> kg/s.
constexpr double lbm_s_to_kg_s(double lbm_s) {
  return lbm_s * kKilogramsPerPound;
}
constexpr double kg_s_to_lbm_s(double kg_s) {
  return kg_s / kKilogramsPerPound;
}

// Density: lbm/ft³ <-> kg/m³.
inline constexpr double kKgPerM3PerLbmPerFt3 =
    kKilogramsPerPound / kCubicMetresPerCubicFoot;
constexpr double lbm_ft3_to_kg_m3(double d) { return d * kKgPerM3PerLbmPerFt3; }
constexpr double kg_m3_to_lbm_ft3(double d) { return d / kKgPerM3PerLbmPerFt3; }

// Dynamic viscosity: cP <-> Pa·s.
constexpr double cp_to_pa_s(double cp) { return cp * 1e-3; }
constexpr double pa_s_to_cp(double pa_s) { return pa_s * 1e3; }

// Surface tension: dyn/cm <-> N/m.
constexpr double dyn_cm_to_n_m(double dyn_cm) { return dyn_cm * 1e-3; }
constexpr double n_m_to_dyn_cm(double n_m) { return n_m * 1e3; }

// Standard-condition volume rates (STB, scf and standard m³ all at the
// standard conditions of standard_conditions.hpp).
constexpr double stb_per_day_to_m3_per_s(double stb_d) {
  return stb_d * kCubicMetresPerBarrel / kSecondsPerDay;
}
constexpr double m3_per_s_to_stb_per_day(double m3_s) {
  return m3_s * kSecondsPerDay / kCubicMetresPerBarrel;
}
constexpr double scf_per_day_to_m3_per_s(double scf_d) {
  return scf_d * kCubicMetresPerCubicFoot / kSecondsPerDay;
}
constexpr double m3_per_s_to_scf_per_day(double m3_s) {
  return m3_s * kSecondsPerDay / kCubicMetresPerCubicFoot;
}

// Gas-oil or gas-liquid ratio: scf/STB <-> standard m³/m³.
constexpr double scf_per_stb_to_m3_per_m3(double scf_stb) {
  return scf_stb / kCubicFeetPerBarrel;
}
constexpr double m3_per_m3_to_scf_per_stb(double m3_m3) {
  return m3_m3 * kCubicFeetPerBarrel;
}

}  // namespace pipecorr::units
