// The one error type of the host side: its message is shown to the user as
// it is, so it names the problem in their terms (file, line, column, value).
#pragma once

#include <stdexcept>
#include <string>

namespace pipecorr::hostkit {

class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace pipecorr::hostkit
