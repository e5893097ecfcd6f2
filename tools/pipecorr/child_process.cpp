#include "child_process.hpp"

#include <string>

namespace pipecorr::hostkit {

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
