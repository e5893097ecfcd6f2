// Writing an output only where the user said, and only whole.
//
// A regular file, or a path where nothing exists yet, is written to a new
// temporary file beside it (a unique name, created exclusively, never
// through a link) and renamed onto the path at commit: a failed or
// interrupted run leaves the earlier file as it was and no temporary file
// behind. A device or a named pipe is written directly, as any Unix tool
// writes one, and "-" (or no path) is standard output.
#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace pipecorr::hostkit {

class OutputFile {
 public:
  // Opens the output now, so that an output that cannot be written is
  // found before any work is done. `what` names it in messages.
  explicit OutputFile(const std::optional<std::filesystem::path>& path,
                      std::string_view what = "output");
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  void write(std::string_view text);
  // Finishes the output and, for a file, puts it in place. Throws Error.
  void commit();

 private:
  enum class Mode { kStandardOutput, kDirect, kReplace };
  void close_quietly() noexcept;

  Mode mode_ = Mode::kStandardOutput;
  int fd_ = -1;
  std::string name_;  // for messages
  std::filesystem::path final_path_;
  std::filesystem::path temporary_path_;
  int cleanup_slot_ = -1;
  bool committed_ = false;
};

// Writes a whole text to an output through OutputFile.
void write_output(const std::optional<std::filesystem::path>& path,
                  std::string_view text, std::string_view what = "output");

// Refuses outputs that are one file under two names (the same path, or two
// links to one existing file) and standard output named twice.
void check_distinct_outputs(
    std::span<const std::optional<std::filesystem::path>> outputs);

// For programs: on any signal that ends the program and can be caught
// (hang-up, Ctrl-C, quit, kill, the user signals, an alarm, a broken pipe,
// the file-size or CPU limit, abort or a crash; native_file.hpp lists
// them), and on exit() called mid-run, remove the temporary files of
// outputs not yet committed, then end by that signal. A signal the program
// was started with ignored stays ignored. A library embedded in another
// program (Python) leaves that program's handlers alone and does not call
// this.
void remove_unfinished_outputs_on_signals();

}  // namespace pipecorr::hostkit
