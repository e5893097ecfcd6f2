// Oilfield units to SI, for inputs that published correlations state in
// field units. Exact conversion factors (international foot and pound).
#pragma once

namespace pipecorr::well::field {

inline constexpr double kMetresPerFoot = 0.3048;
inline constexpr double kMetresPerInch = 0.0254;
inline constexpr double kKilogramsPerPound = 0.45359237;
inline constexpr double kPascalsPerPsi = 6894.757293168361;

constexpr double feet_to_metres(double ft) { return ft * kMetresPerFoot; }
constexpr double metres_to_feet(double m) { return m / kMetresPerFoot; }
constexpr double inches_to_metres(double in) { return in * kMetresPerInch; }
constexpr double metres_to_inches(double m) { return m / kMetresPerInch; }

// lbm/s <-> kg/s.
constexpr double pounds_per_second_to_si(double lbm_s) {
  return lbm_s * kKilogramsPerPound;
}
constexpr double si_to_pounds_per_second(double kg_s) {
  return kg_s / kKilogramsPerPound;
}

// lbm/ft3 <-> kg/m3.
constexpr double pounds_per_cubic_foot_to_si(double lbm_ft3) {
  return lbm_ft3 * kKilogramsPerPound /
         (kMetresPerFoot * kMetresPerFoot * kMetresPerFoot);
}
constexpr double si_to_pounds_per_cubic_foot(double kg_m3) {
  return kg_m3 / kKilogramsPerPound *
         (kMetresPerFoot * kMetresPerFoot * kMetresPerFoot);
}

// degrees Fahrenheit <-> K.
constexpr double fahrenheit_to_kelvin(double f) {
  return (f - 32.0) * (5.0 / 9.0) + 273.15;
}
constexpr double kelvin_to_fahrenheit(double k) {
  return (k - 273.15) * (9.0 / 5.0) + 32.0;
}

// A temperature gradient, degrees F per ft <-> K per m.
constexpr double fahrenheit_per_foot_to_si(double f_ft) {
  return f_ft * (5.0 / 9.0) / kMetresPerFoot;
}

// psi <-> Pa.
constexpr double psi_to_pascals(double psi) { return psi * kPascalsPerPsi; }
constexpr double pascals_to_psi(double pa) { return pa / kPascalsPerPsi; }

}  // namespace pipecorr::well::field
