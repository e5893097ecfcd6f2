// Where the host side finds the pipecorr plug-in when it is not told: beside
// the program in a build tree, in the library directory of an installed
// tree, and nowhere else (never in the working directory, where anyone
// could plant a library).
#pragma once

#include <filesystem>
#include <vector>

namespace pipecorr::hostkit {

// The candidate paths in the order they are tried; empty when the program
// cannot tell where it lies.
[[nodiscard]] std::vector<std::filesystem::path> default_library_candidates();

// The first candidate that exists. Throws Error naming the places looked
// at, or saying that the program cannot tell where it lies, when there is
// none: then the plug-in must be named.
[[nodiscard]] std::filesystem::path default_library();

}  // namespace pipecorr::hostkit
