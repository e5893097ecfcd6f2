#include "text/error.hpp"

#include "text/escape.hpp"

namespace pipecorr::hostkit {

Error::Error(const std::string& message)
    : std::runtime_error(for_terminal(message)) {}

}  // namespace pipecorr::hostkit
