// Placeholder: forwards to the platform's maths library until the portable
// implementations land. Nothing built on it may be committed as golden.
#include "portable_math/portable_math.hpp"

#include <cmath>

namespace pipecorr::pm {

double exp(double x) noexcept { return std::exp(x); }
double log(double x) noexcept { return std::log(x); }
double log10(double x) noexcept { return std::log10(x); }
double pow(double x, double y) noexcept { return std::pow(x, y); }
double sin(double x) noexcept { return std::sin(x); }
double cos(double x) noexcept { return std::cos(x); }
double tanh(double x) noexcept { return std::tanh(x); }
double atan(double x) noexcept { return std::atan(x); }

}  // namespace pipecorr::pm
