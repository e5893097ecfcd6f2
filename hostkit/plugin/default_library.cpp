#include "plugin/default_library.hpp"

#include <system_error>

#if defined(_WIN32)
#include <windows.h>
#endif

#ifndef PIPECORR_PLUGIN_FILE_NAME
#error "the build names the plug-in file"
#endif
#ifndef PIPECORR_LIBDIR_FROM_BINDIR
#error "the build names the library directory relative to the program's"
#endif

namespace pipecorr::hostkit {
namespace {

std::filesystem::path executable_directory() {
#if defined(_WIN32)
  std::wstring buffer(32768, L'\0');
  const DWORD length = GetModuleFileNameW(nullptr, buffer.data(),
                                          static_cast<DWORD>(buffer.size()));
  buffer.resize(length);
  return std::filesystem::path(buffer).parent_path();
#else
  std::error_code error;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return std::filesystem::current_path(error);
  return self.parent_path();
#endif
}

}  // namespace

std::vector<std::filesystem::path> default_library_candidates() {
  const auto directory = executable_directory();
  const std::filesystem::path file = PIPECORR_PLUGIN_FILE_NAME;
  return {directory / file,
          (directory / PIPECORR_LIBDIR_FROM_BINDIR / file).lexically_normal()};
}

std::filesystem::path default_library() {
  const auto candidates = default_library_candidates();
  std::error_code error;
  for (const auto& candidate : candidates) {
    if (std::filesystem::exists(candidate, error)) return candidate;
  }
  return candidates.front();
}

}  // namespace pipecorr::hostkit
