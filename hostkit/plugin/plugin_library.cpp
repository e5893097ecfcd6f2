#include "plugin/plugin_library.hpp"

#include <array>
#include <cstring>

#include "files/input_file.hpp"
#include "pipecorr/pipecorr.h"
#include "plugin/function_cast.hpp"
#include "text/error.hpp"
#include "text/escape.hpp"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#include <link.h>
#endif

namespace pipecorr::hostkit {
namespace {

// Room for far more rows than any plug-in offers: the interface gives the
// host no way to ask for the size first, so the buffer must be generous.
constexpr std::size_t kCatalogueCapacity = 256;
constexpr std::size_t kIdentificationCapacity = 64;

#if defined(_WIN32)
void* open_library(const std::filesystem::path& path, std::string& error) {
  HMODULE module = LoadLibraryW(path.wstring().c_str());
  if (module == nullptr) {
    error = "Windows error " + std::to_string(GetLastError());
  }
  return static_cast<void*>(module);
}
void* find_symbol(void* handle, const char* name) {
  return function_address(GetProcAddress(static_cast<HMODULE>(handle), name));
}
void close_library(void* handle) { FreeLibrary(static_cast<HMODULE>(handle)); }
// A module handle is its base address.
const void* image_of(void* handle) { return handle; }
// A forwarded export may resolve into another DLL.
const void* image_containing(const void* address) {
  HMODULE module = nullptr;
  if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                              GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                          static_cast<LPCWSTR>(address), &module)) {
    return nullptr;
  }
  return module;
}
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
// The base address of the object that holds an address.
const void* image_containing(const void* address) {
  Dl_info info{};
  if (address == nullptr || dladdr(address, &info) == 0) return nullptr;
  return info.dli_fbase;
}
// The plug-in's own base, found through its dynamic section, which lies in
// its image and no other.
const void* image_of(void* handle) {
  link_map* map = nullptr;
  if (dlinfo(handle, RTLD_DI_LINKMAP, &map) != 0 || map == nullptr) {
    return nullptr;
  }
  return image_containing(map->l_ld);
}
#endif

std::string quoted(const std::filesystem::path& path) {
  return "'" + for_terminal(path.string()) + "'";
}

}  // namespace

std::string trim_fixed(const char* field, std::size_t length) {
  std::string_view text(field, length);
  const auto end = text.find_last_not_of(' ');
  return end == std::string_view::npos ? std::string{}
                                       : std::string(text.substr(0, end + 1));
}

bool is_interface_routine(std::string_view name) {
  constexpr std::array<std::string_view, 5> kRoutines{
      "DESCRIPTN_2", "CORR_INT_SETUP", "CORR_INT_CLEANUP", "COPYRIGHT_I",
      "COPYRIGHT_E"};
  for (const auto routine : kRoutines) {
    if (name == routine) return true;
  }
  return false;
}

PluginLibrary::PluginLibrary(const std::filesystem::path& path) : path_(path) {
  // A FIFO or a device in place of the file would block or feed the loader.
  check_input_path(path, "plug-in library", InputKind::kRegularFile);
  std::string reason;
  handle_ = open_library(path, reason);
  if (handle_ == nullptr) {
    throw Error("cannot load plug-in library " + quoted(path) + ": " +
                for_terminal(reason));
  }
  image_ = image_of(handle_);
  struct Required {
    const char* name;
    void** slot;
  };
  const std::array<Required, 3> required{{{"DESCRIPTN_2", &describe_},
                                          {"CORR_INT_SETUP", &setup_},
                                          {"CORR_INT_CLEANUP", &cleanup_}}};
  for (const auto& export_ : required) {
    *export_.slot = symbol(export_.name);
    if (*export_.slot == nullptr) {
      close_library(handle_);
      handle_ = nullptr;
      throw Error("plug-in library " + quoted(path) + " does not export " +
                  export_.name +
                  ", which every correlation plug-in must provide");
    }
  }
}

PluginLibrary::~PluginLibrary() {
  if (handle_ != nullptr) close_library(handle_);
}

void* PluginLibrary::symbol(const char* name) const {
  void* address = find_symbol(handle_, name);
  if (address == nullptr || image_ == nullptr) return nullptr;
  return image_containing(address) == image_ ? address : nullptr;
}

std::vector<CatalogueEntry> PluginLibrary::catalogue() const {
  std::vector<char> names(kCatalogueCapacity * PIPECORR_NAME_LEN, ' ');
  std::vector<char> descriptions(kCatalogueCapacity * PIPECORR_DESC_LEN, ' ');
  std::vector<std::int32_t> types(kCatalogueCapacity, 0);
  std::vector<std::int32_t> link_info(kCatalogueCapacity, 0);
  std::int32_t lines = -1;
  function_cast<pipecorr_descriptn_fn>(describe_)(
      names.data(), PIPECORR_NAME_LEN, types.data(), descriptions.data(),
      PIPECORR_DESC_LEN, link_info.data(), &lines);
  if (lines < 0 || static_cast<std::size_t>(lines) > kCatalogueCapacity) {
    throw Error("plug-in library " + quoted(path_) +
                " reports an impossible catalogue size of " +
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
  void* address = symbol(name);
  if (address == nullptr) return std::nullopt;
  std::vector<char> text(kIdentificationCapacity * PIPECORR_LINE_LEN, ' ');
  std::int32_t count = -1;
  function_cast<pipecorr_copyright_fn>(address)(text.data(), PIPECORR_LINE_LEN,
                                                &count);
  if (count < 0 || static_cast<std::size_t>(count) > kIdentificationCapacity) {
    throw Error("plug-in library " + quoted(path_) + " reports " +
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
  function_cast<pipecorr_run_fn>(setup_)();
}

void PluginLibrary::run_cleanup() const {
  function_cast<pipecorr_run_fn>(cleanup_)();
}

}  // namespace pipecorr::hostkit
