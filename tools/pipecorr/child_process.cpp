#include "child_process.hpp"

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "files/native_file.hpp"
#include "text/error.hpp"

namespace pipecorr::hostkit {

std::filesystem::path temporary_base() {
#if defined(_WIN32)
  std::error_code error;
  auto base = std::filesystem::temp_directory_path(error);
  if (error || !std::filesystem::is_directory(base, error)) {
    throw Error(
        "no temporary folder for the check's children (TMP and TEMP name "
        "none): set TMP to a folder");
  }
  return base;
#else
  // The variables the C++ library reads, in its order; an empty one is
  // taken as unset, as the shell's tools take it.
  for (const char* name : {"TMPDIR", "TMP", "TEMP", "TEMPDIR"}) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') continue;
    std::error_code error;
    if (!std::filesystem::is_directory(value, error)) {
      throw Error(std::string(name) + " is '" + value +
                  "', which is not a folder: the check's children work in "
                  "folders of their own under it (point " +
                  name + " at a folder, or unset it)");
    }
    return value;
  }
  std::error_code error;
  if (!std::filesystem::is_directory("/tmp", error)) {
    throw Error(
        "/tmp is not a folder: set TMPDIR to a folder for the check's "
        "children");
  }
  return "/tmp";
#endif
}

std::filesystem::path private_folder() {
  static std::atomic<unsigned> counter{0};
  const auto base = temporary_base();
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
                                 std::to_string(record_handle),
                                 "--token",
                                 job.token};
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
