// The shape every subcommand has: it registers its options (into an options
// struct of the host-side library), and runs the library's job with them,
// printing and choosing the exit status. The library computes; a command
// only parses and prints.
#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <vector>

namespace CLI {
class App;
}

namespace pipecorr::hostkit {

class PluginLibrary;
class CorrelationSet;

// Exit statuses of the program.
inline constexpr int kExitDone = 0;
inline constexpr int kExitUsage = 1;  // bad usage or input; nothing computed
inline constexpr int kExitCorrelationFailed = 2;  // computed, with failures

class Command {
 public:
  virtual ~Command() = default;
  // Adds the subcommand with its options to the program's parser.
  virtual CLI::App* add(CLI::App& app) = 0;
  // Whether the run is framed by the plug-in's run setup and cleanup.
  [[nodiscard]] virtual bool needs_session() const { return true; }
  // The loaded plug-ins, in load order, and their correlations together.
  virtual int run(std::span<const PluginLibrary* const> libraries,
                  const CorrelationSet& correlations) = 0;
  // The plug-ins the command's case file names (its `plugins` key), read
  // before any plug-in loads; empty when it names none or takes no case.
  [[nodiscard]] virtual std::vector<std::filesystem::path> case_plugins()
      const {
    return {};
  }
  // Whether the program loads the plug-in and reads its catalogue before
  // run(). A command that loads it only in child processes says no and is
  // given run_unloaded() with the plug-ins named by --lib (none: not named).
  [[nodiscard]] virtual bool loads_plugin() const { return true; }
  virtual int run_unloaded(const std::vector<std::filesystem::path>&) {
    return kExitUsage;
  }
};

}  // namespace pipecorr::hostkit
