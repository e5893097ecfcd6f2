// Where a command's table or picture goes: standard output, or a file that
// appears only complete. The file is written beside its final name and
// renamed into place at the end, so a failed run never leaves a truncated
// file where a good one was expected.
#pragma once

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string_view>

namespace pipecorr::hostkit {

class OutputFile {
 public:
  // No path: standard output.
  explicit OutputFile(const std::optional<std::filesystem::path>& path);
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  void write(std::string_view text);
  // Finishes the file and puts it in place; throws Error on failure.
  void commit();

 private:
  std::FILE* stream_ = nullptr;
  std::optional<std::filesystem::path> final_path_;
  std::filesystem::path temporary_path_;
  bool committed_ = false;
};

// Writes a whole text to a file (or standard output) through OutputFile.
void write_output(const std::optional<std::filesystem::path>& path,
                  std::string_view text);

}  // namespace pipecorr::hostkit
