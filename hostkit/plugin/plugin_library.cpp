#include "plugin/plugin_library.hpp"

#include <array>
#include <cstring>

#include "text/error.hpp"
#include "pipecorr/pipecorr.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace pipecorr::hostkit {
namespace {

// Room for far more rows than any plug-in offers: the interface gives the
// host no way to ask for the size first, so the buffer must be generous.
constexpr std::size_t kCatalogueCapacity = 256;
constexpr std::size_t kIdentificationCapacity = 64;

// Exports are looked up as data addresses; this turns one into the
// function type the header declares without a cast between the two kinds.
template <typename Function>
Function as_function(void* address) {
  Function function = nullptr;
  static_assert(sizeof function == sizeof address);
  std::memcpy(&function, &address, sizeof function);
  return function;
}

#if defined(_WIN32)
void* open_library(const std::filesystem::path& path, std::string& error) {
  HMODULE module = LoadLibraryW(path.wstring().c_str());
  if (module == nullptr) {
    error = "Windows error " + std::to_string(GetLastError());
  }
  return static_cast<void*>(module);
}
void* find_symbol(void* handle, const char* name) {
  FARPROC proc = GetProcAddress(static_cast<HMODULE>(handle), name);
  void* address = nullptr;
  static_assert(sizeof proc == sizeof address);
  std::memcpy(&address, &proc, sizeof address);
  return address;
}
void close_library(void* handle) { FreeLibrary(static_cast<HMODULE>(handle)); }
#else
void* open_library(const std::filesystem::path& path, std::string& error) {
  // A bare file name would make the loader search its own path list; the
  // user means the file they named.
  const auto resolved = path.has_parent_path() ? path : "./" / path;
  void* handle = dlopen(resolved.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    const char* reason = dlerror();
    error = reason != nullptr ? reason : "unknown loader error";
  }
  return handle;
}
void* find_symbol(void* handle, const char* name) {
  return dlsym(handle, name);
}
void close_library(void* handle) { dlclose(handle); }
#endif

}  // namespace

std::string trim_fixed(const char* field, std::size_t length) {
  std::string_view text(field, length);
  const auto end = text.find_last_not_of(' ');
  return end == std::string_view::npos ? std::string{}
                                       : std::string(text.substr(0, end + 1));
}

PluginLibrary::PluginLibrary(const std::filesystem::path& path) : path_(path) {
  std::error_code ignored;
  if (!std::filesystem::exists(path, ignored)) {
    throw Error("plug-in library '" + path.string() + "' does not exist");
  }
  std::string reason;
  handle_ = open_library(path, reason);
  if (handle_ == nullptr) {
    throw Error("cannot load plug-in library '" + path.string() +
                   "': " + reason);
  }
  struct Required {
    const char* name;
    void** slot;
  };
  const std::array<Required, 3> required{{{"DESCRIPTN_2", &describe_},
                                          {"CORR_INT_SETUP", &setup_},
                                          {"CORR_INT_CLEANUP", &cleanup_}}};
  for (const auto& export_ : required) {
    *export_.slot = find_symbol(handle_, export_.name);
    if (*export_.slot == nullptr) {
      close_library(handle_);
      handle_ = nullptr;
      throw Error("plug-in library '" + path.string() +
                     "' does not export " + export_.name +
                     ", which every correlation plug-in must provide");
    }
  }
}

PluginLibrary::~PluginLibrary() {
  if (handle_ != nullptr) close_library(handle_);
}

void* PluginLibrary::symbol(const char* name) const {
  return find_symbol(handle_, name);
}

std::vector<CatalogueEntry> PluginLibrary::catalogue() const {
  std::vector<char> names(kCatalogueCapacity * PIPECORR_NAME_LEN, ' ');
  std::vector<char> descriptions(kCatalogueCapacity * PIPECORR_DESC_LEN, ' ');
  std::vector<std::int32_t> types(kCatalogueCapacity, 0);
  std::vector<std::int32_t> link_info(kCatalogueCapacity, 0);
  std::int32_t lines = -1;
  as_function<pipecorr_descriptn_fn>(describe_)(
      names.data(), PIPECORR_NAME_LEN, types.data(), descriptions.data(),
      PIPECORR_DESC_LEN, link_info.data(), &lines);
  if (lines < 0 || static_cast<std::size_t>(lines) > kCatalogueCapacity) {
    throw Error("plug-in library '" + path_.string() +
                   "' reports an impossible catalogue size of " +
                   std::to_string(lines) + " rows");
  }
  std::vector<CatalogueEntry> entries;
  const auto count = static_cast<std::size_t>(lines);
  entries.reserve(count);
  for (std::size_t row = 0; row < count; ++row) {
    entries.push_back(
        {trim_fixed(names.data() + row * PIPECORR_NAME_LEN, PIPECORR_NAME_LEN),
         types[row],
         trim_fixed(descriptions.data() + row * PIPECORR_DESC_LEN,
                    PIPECORR_DESC_LEN),
         link_info[row]});
  }
  return entries;
}

std::optional<std::vector<std::string>> PluginLibrary::identification(
    IdentificationVariant variant) const {
  const char* name = variant == IdentificationVariant::kVersion ? "COPYRIGHT_I"
                                                                : "COPYRIGHT_E";
  void* address = find_symbol(handle_, name);
  if (address == nullptr) return std::nullopt;
  std::vector<char> text(kIdentificationCapacity * PIPECORR_LINE_LEN, ' ');
  std::int32_t count = -1;
  as_function<pipecorr_copyright_fn>(address)(text.data(), PIPECORR_LINE_LEN,
                                              &count);
  if (count < 0 || static_cast<std::size_t>(count) > kIdentificationCapacity) {
    throw Error("plug-in library '" + path_.string() + "' reports " +
                   std::to_string(count) + " lines from " + name);
  }
  std::vector<std::string> lines;
  for (std::size_t line = 0; line < static_cast<std::size_t>(count); ++line) {
    lines.push_back(
        trim_fixed(text.data() + line * PIPECORR_LINE_LEN, PIPECORR_LINE_LEN));
  }
  return lines;
}

void PluginLibrary::run_setup() const {
  as_function<pipecorr_run_fn>(setup_)();
}

void PluginLibrary::run_cleanup() const {
  as_function<pipecorr_run_fn>(cleanup_)();
}

}  // namespace pipecorr::hostkit
