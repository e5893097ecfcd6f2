// Test support: a private working directory, and whole-file reads.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace pipecorr::testing {

// Makes a fresh directory, enters it, and on destruction goes back and
// removes it. Tests of usercorr.dbg run inside one, so runs never share a
// log file.
class ScopedWorkDir {
 public:
  ScopedWorkDir() : previous_(std::filesystem::current_path()) {
    const auto base = std::filesystem::temp_directory_path();
    for (unsigned n = 0;; ++n) {
      path_ = base / ("pipecorr-test-" + std::to_string(std::rand()) + "-" +
                      std::to_string(n));
      if (std::filesystem::create_directory(path_)) break;
    }
    std::filesystem::current_path(path_);
  }
  ~ScopedWorkDir() {
    std::error_code ignored;
    std::filesystem::current_path(previous_, ignored);
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  ScopedWorkDir(const ScopedWorkDir&) = delete;
  ScopedWorkDir& operator=(const ScopedWorkDir&) = delete;

  [[nodiscard]] const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path previous_;
  std::filesystem::path path_;
};

inline std::string read_file(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void write_file(const std::filesystem::path& path,
                       const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
}

}  // namespace pipecorr::testing
