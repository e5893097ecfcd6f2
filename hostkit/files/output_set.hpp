// All the outputs of one job, opened together before the job computes: two
// outputs that are one file are refused, and an output that cannot be
// written stops the job before anything is computed or written.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "files/output_file.hpp"

namespace pipecorr::hostkit {

struct OutputRequest {
  std::optional<std::filesystem::path> path;  // none or "-": standard output
  std::string_view what;                      // names it in messages
};

class OutputSet {
 public:
  explicit OutputSet(std::span<const OutputRequest> requests);

  [[nodiscard]] OutputFile& operator[](std::size_t k) { return *files_[k]; }

 private:
  std::vector<std::unique_ptr<OutputFile>> files_;
};

}  // namespace pipecorr::hostkit
