// What the fluid-property functions throw. A host tells bad input from a
// numerical failure by type, and both from anything else by the base.
#pragma once

#include <limits>
#include <stdexcept>

namespace pipecorr::fluids {

class FluidError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// An argument outside a function's domain: not finite, a non-positive
// absolute pressure or temperature, a fraction outside 0..1 and the like.
// The message names the function, the argument and its value.
class InputError : public FluidError {
 public:
  using FluidError::FluidError;
};

// An iteration that did not settle within its bounded number of steps.
class ConvergenceError : public FluidError {
 public:
  using FluidError::FluidError;
};

namespace detail {

// Kept out of line: the checks below sit on hot paths, the throw never does.
[[noreturn]] void throw_input_error(const char* function, const char* argument,
                                    double value);

// lo <= value <= hi, which also refuses NaN.
inline void require_within(double value, double lo, double hi,
                           const char* function, const char* argument) {
  if (!(value >= lo && value <= hi)) {
    throw_input_error(function, argument, value);
  }
}

// lo < value <= hi, which also refuses NaN.
inline void require_above(double value, double lo, double hi,
                          const char* function, const char* argument) {
  if (!(value > lo && value <= hi)) {
    throw_input_error(function, argument, value);
  }
}

// 0 < value < infinity.
inline void require_positive(double value, const char* function,
                             const char* argument) {
  require_above(value, 0.0, std::numeric_limits<double>::max(), function,
                argument);
}

}  // namespace detail
}  // namespace pipecorr::fluids
