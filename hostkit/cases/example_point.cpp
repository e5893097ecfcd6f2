#include "cases/example_point.hpp"

#include <cmath>
#include <string>

#include "numbers/number_text.hpp"
#include "text/error.hpp"

namespace pipecorr::hostkit {

void check_finite_inputs(const FlowInputs& inputs, bool skip_velocities) {
  const auto values = inputs.values();
  for (std::size_t i = skip_velocities ? 2 : 0; i < kInputCount; ++i) {
    if (!std::isfinite(values[i])) {
      throw Error("--" + std::string(kInputNames[i]) +
                  " must be a finite number, got " + shortest(values[i]));
    }
  }
}

}  // namespace pipecorr::hostkit
