#include "well/number_text.hpp"

#include <cstdio>

namespace pipecorr::well {

std::string number_text(double value) {
  char text[32];
  const int n = std::snprintf(text, sizeof text, "%.10g", value);
  return n > 0 ? std::string(text) : std::string("?");
}

}  // namespace pipecorr::well
