// Pseudo-critical temperature and pressure of a natural gas from its
// specific gravity, with CO2, H2S and N2 taken into account.
#pragma once

namespace pipecorr::fluids {

// A pseudo-critical point in the units of the correlations.
struct PseudoCritical {
  double temperature_r = 0.0;  // °R
  double pressure_psia = 0.0;  // psia
};

// Gravity correlations for a hydrocarbon gas (gravity: air = 1).
enum class GravityCorrelation {
  // Sutton (1985), fitted to gases and condensates of gravity 0.57-1.68.
  kSutton,
  // Standing (1977), curves for natural gases (dry) and for condensate
  // (wet) gases, gravity about 0.57-1.7.
  kStandingNaturalGas,
  kStandingCondensate,
  // Hankinson, Thomas & Phillips (1969), the straight-line form used in
  // production-engineering texts with the Wichert-Aziz correction.
  kHankinsonThomasPhillips,
};

// Mole fractions of the whole gas, each 0..1, together at most 1.
struct NonHydrocarbons {
  double co2 = 0.0;
  double h2s = 0.0;
  double n2 = 0.0;
};

// How the non-hydrocarbons enter.
enum class NonHydrocarbonTreatment {
  // The gravity of the hydrocarbon part alone (the non-hydrocarbons' masses
  // taken out) goes into the gravity correlation; Kay's rule then mixes
  // that pseudo-critical point with the true critical points of CO2, H2S and
  // N2 by mole fraction, and Wichert-Aziz corrects the mixture for CO2 and
  // H2S (Standing, 1981; Whitson & Brule, Phase Behavior, 2000). Refuses a
  // gravity too low for the stated non-hydrocarbons.
  kKayMixing,
  // The gravity correlation applied to the whole gas, corrected by
  // Wichert-Aziz for CO2 and H2S only; N2 is not treated. The textbook
  // short form, adequate for a few per cent of N2.
  kWholeGas,
};

// Pseudo-critical point of a hydrocarbon gas of gravity `gravity`
// (0.55..3; throws InputError outside).
PseudoCritical pseudo_critical_from_gravity(double gravity,
                                            GravityCorrelation correlation);

// Gravity (air = 1) of the hydrocarbon part of a gas of whole gravity
// `gravity` holding `fractions`; meaningful when the hydrocarbons are
// present (fractions sum below 1). Throws InputError on invalid fractions.
double hydrocarbon_gravity(double gravity, const NonHydrocarbons& fractions);

// Wichert & Aziz (1972) temperature adjustment epsilon, °R, for mole
// fractions of CO2 and H2S; fitted for up to 54 % CO2 and 74 % H2S.
double wichert_aziz_epsilon_r(double co2, double h2s);

// `pc` adjusted by Wichert & Aziz (1972) for the given CO2 and H2S.
PseudoCritical wichert_aziz(const PseudoCritical& pc, double co2, double h2s);

// The whole procedure: pseudo-critical point of a gas of whole gravity
// `gravity` (air = 1) holding `fractions`, ready for reduced properties.
PseudoCritical gas_pseudo_critical(double gravity,
                                   const NonHydrocarbons& fractions,
                                   GravityCorrelation correlation,
                                   NonHydrocarbonTreatment treatment);

}  // namespace pipecorr::fluids
