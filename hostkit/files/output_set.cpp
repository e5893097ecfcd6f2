#include "files/output_set.hpp"

namespace pipecorr::hostkit {

OutputSet::OutputSet(std::span<const OutputRequest> requests) {
  std::vector<std::optional<std::filesystem::path>> paths;
  for (const auto& request : requests) paths.push_back(request.path);
  check_distinct_outputs(paths);
  for (const auto& request : requests) {
    files_.push_back(std::make_unique<OutputFile>(request.path, request.what));
  }
}

}  // namespace pipecorr::hostkit
