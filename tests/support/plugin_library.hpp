// The built plug-in, loaded at run time and resolved by export name, the
// way a host does it, so that every call crosses the real export layer.
#pragma once

#include <cstring>
#include <stdexcept>
#include <string>

#if defined(_WIN32)
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace pipecorr::testing {

class PluginLibrary {
 public:
  explicit PluginLibrary(const std::string& path) {
#if defined(_WIN32)
    handle_ = LoadLibraryA(path.c_str());
#else
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
#endif
    if (handle_ == nullptr) throw std::runtime_error("cannot load " + path);
  }
  ~PluginLibrary() {
#if defined(_WIN32)
    FreeLibrary(handle_);
#else
    dlclose(handle_);
#endif
  }
  PluginLibrary(const PluginLibrary&) = delete;
  PluginLibrary& operator=(const PluginLibrary&) = delete;

  // The export `name` as a pointer of the public header's type Fn.
  template <typename Fn>
  [[nodiscard]] Fn entry(const char* name) const {
#if defined(_WIN32)
    const auto address = GetProcAddress(handle_, name);
#else
    void* const address = dlsym(handle_, name);
#endif
    if (address == nullptr) {
      throw std::runtime_error(std::string("missing export ") + name);
    }
    static_assert(sizeof(Fn) == sizeof(address));
    Fn function;
    std::memcpy(&function, &address, sizeof function);
    return function;
  }

 private:
#if defined(_WIN32)
  HMODULE handle_;
#else
  void* handle_;
#endif
};

// The plug-in a host-level test loads: the path given on its command line,
// else the plug-in built beside the test program.
inline std::string plugin_path_from(int argc, char** argv) {
  if (argc > 1) return argv[1];
#if defined(_WIN32)
  return "pipecorr.dll";
#else
  return "./libpipecorr.so";
#endif
}

}  // namespace pipecorr::testing
