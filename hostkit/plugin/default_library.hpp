// Where the command finds the pipecorr plug-in when --lib is not given: beside
// the program in a build tree, in the library directory of an installed tree.
#pragma once

#include <filesystem>
#include <vector>

namespace pipecorr::hostkit {

// The candidate paths in the order they are tried.
[[nodiscard]] std::vector<std::filesystem::path> default_library_candidates();

// The first candidate that exists, else the first candidate (so the error
// names the place the library was expected).
[[nodiscard]] std::filesystem::path default_library();

}  // namespace pipecorr::hostkit
