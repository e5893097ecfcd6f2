// Reading what the user names as input. A case file, a profile, a survey or
// a plug-in must be a regular file: a FIFO or a device named in their place
// is refused before it is opened for reading, so it can neither block nor
// feed the program endless bytes. A table may also come from a stream:
// "-" is standard input, and a named pipe or /dev/stdin is read to its end.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace pipecorr::hostkit {

enum class InputKind {
  kRegularFile,   // case files, profiles, surveys, plug-ins
  kFileOrStream,  // tables: also "-", pipes and terminals
};

// Throws Error naming `what` and the path when the path does not exist, is
// a folder, or (kRegularFile) is not a regular file.
void check_input_path(const std::filesystem::path& path, std::string_view what,
                      InputKind kind);

// The whole input, a UTF-8 byte order mark at its start dropped.
[[nodiscard]] std::string read_input(const std::filesystem::path& path,
                                     std::string_view what, InputKind kind);

// Whether a path names standard input or output.
[[nodiscard]] bool is_standard_stream(const std::filesystem::path& path);

}  // namespace pipecorr::hostkit
