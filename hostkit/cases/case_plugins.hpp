// The plug-ins a case asks for: its `plugins` key, a comma list of plug-in
// files named relative to the case file, as its other files are. Both the
// field and the pipeline case take the key; it is read before any plug-in
// loads, since the plug-ins give the correlations the case names.
#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

namespace pipecorr::hostkit {

// The files of `plugins` in the case text, joined to the folder of
// `case_file`; empty when the case has no such key. Throws Error with the
// file and line for an empty list or an empty name in it, and as
// parse_key_values for a malformed text.
[[nodiscard]] std::vector<std::filesystem::path> case_plugins(
    std::string_view text, const std::filesystem::path& case_file);

// The same for a case on disk.
[[nodiscard]] std::vector<std::filesystem::path> case_file_plugins(
    const std::filesystem::path& case_file);

}  // namespace pipecorr::hostkit
