// All the outputs of one job, opened together before the job computes: two
// outputs that are one file are refused, an output that is one of the
// job's inputs is refused, and an output that cannot be written stops the
// job before anything is computed or written.
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

// A file the job reads: the case, a table the case names, the batch input,
// the plug-in. "-" is standard input.
struct InputRequest {
  std::filesystem::path path;
  std::string_view what;  // names it in messages
};

// Throws Error when an output is one of the inputs: the same path once
// made absolute and free of links, or the same file (device and number:
// another link to it, standard output or input redirected to it, one FIFO
// for both). Terminals, character devices and sockets are streams, read
// and written independently, and never clash. Opens nothing.
void check_outputs_spare_inputs(std::span<const OutputRequest> outputs,
                                std::span<const InputRequest> inputs);

class OutputSet {
 public:
  explicit OutputSet(std::span<const OutputRequest> requests,
                     std::span<const InputRequest> inputs = {});

  [[nodiscard]] OutputFile& operator[](std::size_t k) { return *files_[k]; }

 private:
  std::vector<std::unique_ptr<OutputFile>> files_;
};

}  // namespace pipecorr::hostkit
