#include "fluids/gas_pseudo_critical.hpp"

#include <cmath>

#include "fluids/input_checks.hpp"
#include "fluids/standard_conditions.hpp"

namespace pipecorr::fluids {
namespace {

// Critical points (°R, psia) and molar masses (g/mol) of the
// non-hydrocarbons, GPSA Engineering Data Book values.
constexpr PseudoCritical kCo2Critical{547.58, 1071.0};
constexpr PseudoCritical kH2sCritical{672.12, 1300.0};
constexpr PseudoCritical kN2Critical{227.16, 493.1};
constexpr double kCo2MolarMass = 44.0095;
constexpr double kH2sMolarMass = 34.0809;
constexpr double kN2MolarMass = 28.0134;

void check_fractions(const NonHydrocarbons& y, const char* function) {
  detail::require_within(y.co2, 0.0, 1.0, function, "CO2 mole fraction");
  detail::require_within(y.h2s, 0.0, 1.0, function, "H2S mole fraction");
  detail::require_within(y.n2, 0.0, 1.0, function, "N2 mole fraction");
  detail::require_within(y.co2 + y.h2s + y.n2, 0.0, 1.0, function,
                         "sum of non-hydrocarbon mole fractions");
}

}  // namespace

PseudoCritical pseudo_critical_from_gravity(double gravity,
                                            GravityCorrelation correlation) {
  detail::check_gas_gravity(gravity, "pseudo_critical_from_gravity");
  const double g = gravity;
  switch (correlation) {
    case GravityCorrelation::kStandingNaturalGas:
      return {168.0 + 325.0 * g - 12.5 * g * g,
              677.0 + 15.0 * g - 37.5 * g * g};
    case GravityCorrelation::kStandingCondensate:
      return {187.0 + 330.0 * g - 71.5 * g * g,
              706.0 - 51.7 * g - 11.1 * g * g};
    case GravityCorrelation::kHankinsonThomasPhillips:
      return {170.491 + 307.344 * g, 709.604 - 58.718 * g};
    case GravityCorrelation::kSutton:
      break;
  }
  return {169.2 + 349.5 * g - 74.0 * g * g, 756.8 - 131.0 * g - 3.6 * g * g};
}

double hydrocarbon_gravity(double gravity, const NonHydrocarbons& y) {
  detail::check_gas_gravity(gravity, "hydrocarbon_gravity");
  check_fractions(y, "hydrocarbon_gravity");
  const double hydrocarbons = 1.0 - y.co2 - y.h2s - y.n2;
  detail::require_above(hydrocarbons, 0.0, 1.0, "hydrocarbon_gravity",
                        "hydrocarbon mole fraction");
  const double non_hydrocarbon_gravity =
      (y.co2 * kCo2MolarMass + y.h2s * kH2sMolarMass + y.n2 * kN2MolarMass) /
      kAirMolarMass;
  return (gravity - non_hydrocarbon_gravity) / hydrocarbons;
}

double wichert_aziz_epsilon_r(double co2, double h2s) {
  detail::require_within(co2, 0.0, 1.0, "wichert_aziz_epsilon_r",
                         "CO2 mole fraction");
  detail::require_within(h2s, 0.0, 1.0, "wichert_aziz_epsilon_r",
                         "H2S mole fraction");
  const double a = co2 + h2s;
  const double b = h2s;
  return 120.0 * (std::pow(a, 0.9) - std::pow(a, 1.6)) +
         15.0 * (std::sqrt(b) - b * b * b * b);
}

PseudoCritical wichert_aziz(const PseudoCritical& pc, double co2, double h2s) {
  const double epsilon = wichert_aziz_epsilon_r(co2, h2s);
  detail::require_positive(pc.temperature_r, "wichert_aziz",
                           "pseudo-critical temperature (degR)");
  detail::require_positive(pc.pressure_psia, "wichert_aziz",
                           "pseudo-critical pressure (psia)");
  const double t = pc.temperature_r - epsilon;
  const double p =
      pc.pressure_psia * t / (pc.temperature_r + h2s * (1.0 - h2s) * epsilon);
  return {t, p};
}

PseudoCritical gas_pseudo_critical(double gravity, const NonHydrocarbons& y,
                                   GravityCorrelation correlation,
                                   NonHydrocarbonTreatment treatment) {
  detail::check_gas_gravity(gravity, "gas_pseudo_critical");
  check_fractions(y, "gas_pseudo_critical");
  if (treatment == NonHydrocarbonTreatment::kWholeGas) {
    return wichert_aziz(pseudo_critical_from_gravity(gravity, correlation),
                        y.co2, y.h2s);
  }
  const double hydrocarbons = 1.0 - y.co2 - y.h2s - y.n2;
  PseudoCritical mix{
      y.co2 * kCo2Critical.temperature_r + y.h2s * kH2sCritical.temperature_r +
          y.n2 * kN2Critical.temperature_r,
      y.co2 * kCo2Critical.pressure_psia + y.h2s * kH2sCritical.pressure_psia +
          y.n2 * kN2Critical.pressure_psia};
  if (hydrocarbons > 0.0) {
    // A hydrocarbon part lighter than methane means the gravity and the
    // analysis disagree: refused rather than guessed.
    const double hc_gravity = hydrocarbon_gravity(gravity, y);
    detail::require_within(hc_gravity, domain::kMinGasGravity,
                           domain::kMaxGasGravity, "gas_pseudo_critical",
                           "gravity of the hydrocarbon part");
    const PseudoCritical hc =
        pseudo_critical_from_gravity(hc_gravity, correlation);
    mix.temperature_r += hydrocarbons * hc.temperature_r;
    mix.pressure_psia += hydrocarbons * hc.pressure_psia;
  }
  return wichert_aziz(mix, y.co2, y.h2s);
}

}  // namespace pipecorr::fluids
