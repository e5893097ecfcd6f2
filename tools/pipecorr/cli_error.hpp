// The one error type of the command: its message is shown to the user as it
// is, so it names the problem in their terms (file, line, column, value).
#pragma once

#include <stdexcept>
#include <string>

namespace pipecorr::cli {

class CliError : public std::runtime_error {
 public:
  explicit CliError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace pipecorr::cli
