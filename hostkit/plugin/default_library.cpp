#include "plugin/default_library.hpp"

#include <iterator>
#include <optional>
#include <system_error>

#include "text/error.hpp"
#include "text/escape.hpp"

#if defined(_WIN32)
#include <windows.h>
#else
#include <sys/auxv.h>
#endif

#ifndef PIPECORR_BUNDLED_PLUGIN_FILES
#error "the build names the bundled plug-in files"
#endif
#ifndef PIPECORR_LIBDIR_FROM_BINDIR
#error "the build names the library directory relative to the program's"
#endif

namespace pipecorr::hostkit {
namespace {

std::optional<std::filesystem::path> executable_directory() {
#if defined(_WIN32)
  std::wstring buffer(32768, L'\0');
  const DWORD length = GetModuleFileNameW(nullptr, buffer.data(),
                                          static_cast<DWORD>(buffer.size()));
  if (length == 0) return std::nullopt;
  buffer.resize(length);
  return std::filesystem::path(buffer).parent_path();
#else
  std::error_code error;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (!error) return self.parent_path();
  // Without a proc file system: the file name the program was started by,
  // as the kernel recorded it. Relative names are relative to the folder
  // the program started in, which is still the working one at this point
  // only if nobody changed it; so only an absolute name is trusted.
  const auto* started = reinterpret_cast<const char*>(getauxval(AT_EXECFN));
  if (started != nullptr && started[0] == '/') {
    return std::filesystem::path(started).parent_path();
  }
  return std::nullopt;
#endif
}

// The build's list, the first plug-in first.
constexpr const char* kBundledFiles[] = {PIPECORR_BUNDLED_PLUGIN_FILES};

}  // namespace

std::vector<std::string> bundled_plugin_files() {
  return {std::begin(kBundledFiles), std::end(kBundledFiles)};
}

std::vector<std::filesystem::path> default_library_candidates(
    const std::filesystem::path& file) {
  const auto directory = executable_directory();
  if (!directory) return {};
  return {*directory / file,
          (*directory / PIPECORR_LIBDIR_FROM_BINDIR / file).lexically_normal()};
}

std::vector<std::filesystem::path> default_library_candidates() {
  return default_library_candidates(kBundledFiles[0]);
}

std::filesystem::path default_library(const std::filesystem::path& file) {
  const auto candidates = default_library_candidates(file);
  if (candidates.empty()) {
    throw Error(
        "cannot tell where this program lies, so cannot find the plug-in "
        "beside it; name the plug-in with --lib");
  }
  std::error_code error;
  for (const auto& candidate : candidates) {
    if (std::filesystem::is_regular_file(candidate, error)) return candidate;
  }
  std::string places;
  for (const auto& candidate : candidates) {
    if (!places.empty()) places += " or ";
    places += "'" + for_terminal(candidate.string()) + "'";
  }
  throw Error("no plug-in at " + places + "; name one with --lib");
}

std::filesystem::path default_library() {
  return default_library(kBundledFiles[0]);
}

std::vector<std::filesystem::path> default_libraries() {
  std::vector<std::filesystem::path> found;
  for (const char* file : kBundledFiles) found.push_back(default_library(file));
  return found;
}

}  // namespace pipecorr::hostkit
