#include "child_process.hpp"

#include <atomic>
#include <filesystem>
#include <string>

#include "files/native_file.hpp"
#include "text/error.hpp"

namespace pipecorr::hostkit {

std::filesystem::path private_folder() {
  static std::atomic<unsigned> counter{0};
  const auto base = std::filesystem::temp_directory_path();
  for (int attempt = 0; attempt < 100; ++attempt) {
    const auto path =
        base / ("pipecorr-check-" + std::to_string(native::process_id()) + "-" +
                std::to_string(counter++));
    if (std::filesystem::create_directory(path)) return path;
  }
  throw Error("cannot create a working folder for a child");
}

std::vector<std::string> child_arguments(const ChildJob& job,
                                         std::uintptr_t record_handle) {
  std::vector<std::string> words{"__check-child",
                                 "--job",
                                 std::string(job_kind_name(job.kind)),
                                 "--library",
                                 job.library.string(),
                                 "--points",
                                 std::to_string(job.points),
                                 "--seed",
                                 std::to_string(job.seed),
                                 "--record-handle",
                                 std::to_string(record_handle)};
  if (!job.correlation.empty()) {
    words.insert(words.end(), {"--correlation", job.correlation, "--link-info",
                               std::to_string(job.link_info)});
  }
  for (const std::size_t point : job.skip) {
    words.insert(words.end(), {"--skip", std::to_string(point)});
  }
  return words;
}

}  // namespace pipecorr::hostkit
