#include "fluids/fluid_error.hpp"

#include <cstdio>
#include <string>

namespace pipecorr::fluids::detail {

void throw_input_error(const char* function, const char* argument,
                       double value) {
  char number[32];
  std::snprintf(number, sizeof number, "%.17g", value);
  throw InputError(std::string(function) + ": " + argument +
                   " out of range: " + number);
}

}  // namespace pipecorr::fluids::detail
