// Where the host side finds the bundled plug-ins when it is not told:
// beside the program in a build tree, in the library directory of an
// installed tree, and nowhere else (never in the working directory, where
// anyone could plant a library). The bundled plug-ins are those the build
// makes with pipecorr_add_plugin (cmake/Plugin.cmake), pipecorr's own
// first; the test plug-ins are not among them.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace pipecorr::hostkit {

// The file names of the bundled plug-ins ("libpipecorr.so" first).
[[nodiscard]] std::vector<std::string> bundled_plugin_files();

// The candidate paths of a plug-in file (by default the first bundled one)
// in the order they are tried; empty when the program cannot tell where
// it lies.
[[nodiscard]] std::vector<std::filesystem::path> default_library_candidates(
    const std::filesystem::path& file);
[[nodiscard]] std::vector<std::filesystem::path> default_library_candidates();

// The first candidate that exists. Throws Error naming the places looked
// at, or saying that the program cannot tell where it lies, when there is
// none: then the plug-in must be named.
[[nodiscard]] std::filesystem::path default_library(
    const std::filesystem::path& file);
[[nodiscard]] std::filesystem::path default_library();

// Every bundled plug-in, in the build's order, each found as
// default_library() finds it; a missing one is the same Error.
[[nodiscard]] std::vector<std::filesystem::path> default_libraries();

}  // namespace pipecorr::hostkit
