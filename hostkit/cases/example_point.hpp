// The bundled example point (examples/points.csv, first row): a light oil
// and natural gas in a 4-inch line, the defaults of `pipecorr calc` and of
// the fluids and pipe of `pipecorr map`.
#pragma once

#include "plugin/flow_point.hpp"

namespace pipecorr::hostkit {

inline constexpr FlowInputs kExamplePoint{
    .usl = 0.5,
    .usg = 2.0,
    .rol = 850.0,
    .rog = 40.0,
    .visl = 0.003,
    .visg = 1.3e-5,
    .eps = 4.6e-5,
    .sigma = 0.025,
    .diam = 0.1016,
    .fi = 0.0,
    .p = 4.0e6,
};

// Throws Error naming the first option that is not a finite number; the
// table reader refuses such cells the same way. `skip_velocities` leaves out
// usl and usg, which a map chooses itself.
void check_finite_inputs(const FlowInputs& inputs, bool skip_velocities);

}  // namespace pipecorr::hostkit
