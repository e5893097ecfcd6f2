// The limits a well case is held to, in messages a person reads in the
// case's own units. The bounds are the fluid module's domain
// (fluids/domain.hpp) and the flow areas its state accepts: a case
// outside them would fail at its first point, so it fails when read.
#pragma once

#include <string>

#include "units/quantity.hpp"

namespace pipecorr::hostkit {

// "150 psia", "302.5944444 K": a value in the system's display unit.
[[nodiscard]] std::string shown(double si, Dimension dimension,
                                UnitSystem system);

// Each returns why the value cannot serve, or an empty text.
// An absolute pressure (Pa): above 0, at most 50 000 psia.
[[nodiscard]] std::string pressure_trouble(double pressure, UnitSystem system);
// A temperature (K): 32 to 1000 °F.
[[nodiscard]] std::string temperature_trouble(double temperature,
                                              UnitSystem system);
// An inside diameter and roughness (m): a flow area the fluid state
// accepts, and a roughness from 0 to less than half the diameter.
[[nodiscard]] std::string pipe_trouble(double diameter, double roughness,
                                       UnitSystem system);
// A standard volume rate (m3/s): 0 to fluids::kMaxStandardRate.
[[nodiscard]] std::string rate_trouble(double rate, Dimension dimension,
                                       UnitSystem system);

}  // namespace pipecorr::hostkit
