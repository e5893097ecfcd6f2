// For the conformance test plug-in's CONF_THROWS variant: a plug-in written
// in C++ whose error escapes its C entry as an exception.
#include <stdexcept>

extern "C" void conf_throw(void) {
  throw std::runtime_error("thrown on purpose by the conformance plug-in");
}
