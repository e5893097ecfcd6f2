// Runs the pipecorr program as a user does, in the current directory, with
// {mini}, {ghost}, {nocat}, {hostile}, {holdup} and {examples} in the
// arguments standing for the test plug-ins and the bundled examples.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "support/program_launcher.hpp"

namespace pipecorr::testing {

inline std::string expand(std::string text) {
  const std::vector<std::pair<std::string, std::string>> names{
      {"{mini}", MINI_PLUGIN},        {"{ghost}", MINI_PLUGIN_GHOST},
      {"{nocat}", MINI_PLUGIN_NOCAT}, {"{hostile}", MINI_PLUGIN_HOSTILE},
      {"{holdup}", HOLDUP_PLUGIN},    {"{examples}", EXAMPLES_DIR}};
  for (const auto& [key, value] : names) {
    for (auto at = text.find(key); at != std::string::npos;
         at = text.find(key)) {
      text.replace(at, key.size(), value);
    }
  }
  return text;
}

// A hang shows as status kTimedOut, not as a stuck suite.
inline ProgramRun run(const std::string& arguments, int timeout_seconds = 60) {
  return run_program(PIPECORR_PROGRAM, expand(arguments), timeout_seconds);
}

}  // namespace pipecorr::testing
