#include "files/output_set.hpp"

#include <string>
#include <system_error>

#include "files/input_file.hpp"
#include "files/native_file.hpp"
#include "text/error.hpp"
#include "text/escape.hpp"

namespace pipecorr::hostkit {
namespace {

// One side of the comparison: the file it is, and its name without links.
struct Named {
  bool standard = false;
  native::Identity identity;
  std::filesystem::path canonical;  // empty for a standard stream
};

Named named(const std::optional<std::filesystem::path>& path, bool output) {
  Named side;
  if (!path || is_standard_stream(*path)) {
    side.standard = true;
    side.identity = native::identity_of_standard(output);
    return side;
  }
  side.identity = native::identity_of(*path);
  std::error_code ignored;
  side.canonical = std::filesystem::weakly_canonical(
      std::filesystem::absolute(*path, ignored), ignored);
  return side;
}

bool one_file(const Named& out, const Named& in) {
  const native::Identity& a = out.identity;
  const native::Identity& b = in.identity;
  if (a.known && b.known) {
    if (a.stream || b.stream) return false;
    return a.device == b.device && a.number == b.number;
  }
  // One of them could not be looked at: the names decide.
  return !out.canonical.empty() && out.canonical == in.canonical;
}

std::string output_text(const OutputRequest& request) {
  if (!request.path || is_standard_stream(*request.path)) {
    return "standard output";
  }
  return std::string(request.what) + " '" +
         for_terminal(request.path->string()) + "'";
}

std::string input_text(const InputRequest& request) {
  if (is_standard_stream(request.path)) {
    return std::string(request.what) + " (standard input)";
  }
  return std::string(request.what) + " '" +
         for_terminal(request.path.string()) + "'";
}

}  // namespace

void check_outputs_spare_inputs(std::span<const OutputRequest> outputs,
                                std::span<const InputRequest> inputs) {
  std::vector<Named> read;
  read.reserve(inputs.size());
  for (const auto& input : inputs) {
    read.push_back(named(input.path, false));
  }
  for (const auto& output : outputs) {
    const Named written = named(output.path, true);
    for (std::size_t k = 0; k < inputs.size(); ++k) {
      if (!one_file(written, read[k])) continue;
      throw Error(output_text(output) + " is the " + input_text(inputs[k]) +
                  " this job reads; an output may not replace an input");
    }
  }
}

OutputSet::OutputSet(std::span<const OutputRequest> requests,
                     std::span<const InputRequest> inputs) {
  std::vector<std::optional<std::filesystem::path>> paths;
  for (const auto& request : requests) paths.push_back(request.path);
  check_distinct_outputs(paths);
  check_outputs_spare_inputs(requests, inputs);
  for (const auto& request : requests) {
    files_.push_back(std::make_unique<OutputFile>(request.path, request.what));
  }
}

}  // namespace pipecorr::hostkit
