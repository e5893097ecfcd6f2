// The one error type of the host side: its message is shown to the user as
// it is, so it names the problem in their terms (file, line, column, value).
#pragma once

#include <stdexcept>
#include <string>

namespace pipecorr::hostkit {

// The message may quote text from outside (a cell, a plug-in's name); it is
// kept with every control character and NUL shown as \xNN, so what() is
// whole and safe to print.
class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& message);
};

}  // namespace pipecorr::hostkit
