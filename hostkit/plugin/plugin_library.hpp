// A correlation plug-in loaded by path, the way a simulator loads one, with
// its exports resolved by name. Only symbols that lie in the plug-in's own
// image count as its exports: a name that the dynamic loader would find in
// one of its dependencies (abort, free, exit from the C library) does not.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace pipecorr::hostkit {

struct CatalogueEntry {
  std::string name;
  std::int32_t type = 0;
  std::string description;
  // 2: single-precision argument list, 3: double-precision argument list.
  std::int32_t link_info = 0;
};

enum class IdentificationVariant { kVersion, kInterface };

class PluginLibrary {
 public:
  // Throws Error when the file is not a regular file, cannot be loaded, or
  // lacks one of the exports every host needs (catalogue, run setup, run
  // cleanup).
  explicit PluginLibrary(const std::filesystem::path& path);
  ~PluginLibrary();
  PluginLibrary(const PluginLibrary&) = delete;
  PluginLibrary& operator=(const PluginLibrary&) = delete;

  [[nodiscard]] const std::filesystem::path& path() const { return path_; }

  // The export of that name, or null when the plug-in's own image lacks it.
  [[nodiscard]] void* symbol(const char* name) const;

  [[nodiscard]] std::vector<CatalogueEntry> catalogue() const;

  // The identification lines, or nothing when the library does not export
  // that block (it is optional for a third-party plug-in).
  [[nodiscard]] std::optional<std::vector<std::string>> identification(
      IdentificationVariant variant) const;

  void run_setup() const;
  void run_cleanup() const;

 private:
  std::filesystem::path path_;
  void* handle_ = nullptr;
  const void* image_ = nullptr;  // identifies the plug-in's own image
  void* describe_ = nullptr;
  void* setup_ = nullptr;
  void* cleanup_ = nullptr;
};

// One host run: the setup on construction, the cleanup on destruction, so
// the cleanup also happens when a command stops early.
class RunSession {
 public:
  explicit RunSession(const PluginLibrary& library) : library_(library) {
    library_.run_setup();
  }
  ~RunSession() { library_.run_cleanup(); }
  RunSession(const RunSession&) = delete;
  RunSession& operator=(const RunSession&) = delete;

 private:
  const PluginLibrary& library_;
};

// Trims the blank padding of a fixed-length text field.
[[nodiscard]] std::string trim_fixed(const char* field, std::size_t length);

// The exports of the interface that are not correlations: a catalogue row
// naming one of them is never called as a correlation.
[[nodiscard]] bool is_interface_routine(std::string_view name);

}  // namespace pipecorr::hostkit
