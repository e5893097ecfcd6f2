// Several files in one fuzz input. The input is the first file (a case);
// every line that starts with "=== " begins another file, named by the
// rest of that line (a CR before its line break dropped), which runs to
// the next such line or the end:
//
//   units = field
//   survey = well_survey.csv
//   === well_survey.csv
//   md,inclination
//   0,0
//   3700,0
//
// A name is compared with the path a reader asks for as written
// ("well_survey.csv", "tables/pipe.csv"); the case itself is read from a
// folder-less name, so the paths it asks for are its own names. Nothing of
// the machine's files is ever read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace pipecorr::fuzz {

class FramedFiles {
 public:
  explicit FramedFiles(std::string_view input);

  [[nodiscard]] std::string_view first() const { return first_; }

  // The file of that name (the last one, when the input repeats a name);
  // throws hostkit::Error, as a reader of real files does, when there is
  // none.
  [[nodiscard]] std::string read(const std::filesystem::path& path) const;

 private:
  struct File {
    std::string_view name;
    std::string_view text;
  };
  std::string_view first_;
  std::vector<File> files_;
};

// The bytes libFuzzer hands over, as text.
[[nodiscard]] inline std::string_view as_text(const std::uint8_t* data,
                                              std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

}  // namespace pipecorr::fuzz
