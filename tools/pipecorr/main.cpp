// pipecorr: a reference host for correlation plug-ins. It loads a plug-in
// by path the way a simulator does and runs the host's order: catalogue,
// run setup, calls, run cleanup. The work is the host-side library's; this
// file chooses the subcommand and turns errors into messages and statuses.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <memory>
#include <system_error>
#include <vector>

#include "commands.hpp"
#include "files/debug_log_file.hpp"
#include "files/output_file.hpp"
#include "plugin/correlation.hpp"
#include "plugin/default_library.hpp"
#include "plugin/plugin_library.hpp"
#include "text/error.hpp"
#include "text/escape.hpp"

namespace {

using namespace pipecorr::hostkit;

struct GlobalOptions {
  std::vector<std::string> libraries;
  bool log = false;
};

void print_error(std::string_view message) {
  std::fprintf(stderr, "pipecorr: error: %s\n", for_terminal(message).c_str());
}

int run(int argc, char** argv) {
  CLI::App app{
      "pipecorr: two-phase pipe-flow correlations from a plug-in library.\n"
      "Loads the plug-in like a host simulator and computes single points,\n"
      "tables, flow-pattern maps, pressure traverses of pipes and wells, and\n"
      "lift curves."};
  app.require_subcommand(1);
  app.fallthrough();
  GlobalOptions global;
  app.add_option("--lib", global.libraries,
                 "plug-in library to load; give it again to load several "
                 "(default: the case's plugins, else every plug-in bundled "
                 "with this program, found beside it or in its library "
                 "folder)")
      ->expected(1)
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
  app.add_flag("--log", global.log,
               "create usercorr.dbg in the working directory before the run "
               "setup, so the plug-in traces the run");

  std::vector<std::unique_ptr<Command>> commands;
  commands.push_back(make_list_command());
  commands.push_back(make_calc_command());
  commands.push_back(make_batch_command());
  commands.push_back(make_map_command());
  commands.push_back(make_traverse_command());
  commands.push_back(make_lift_command());
  commands.push_back(make_vfp_command());
  commands.push_back(make_check_command());
  commands.push_back(make_check_child_command());
  std::vector<CLI::App*> parsers;
  for (const auto& command : commands) parsers.push_back(command->add(app));

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& help) {
    return app.exit(help);
  } catch (const CLI::CallForAllHelp& help) {
    return app.exit(help);
  } catch (const CLI::ParseError& error) {
    print_error(error.what());
    std::fprintf(stderr, "Run with --help for more information.\n");
    return kExitUsage;
  }

  for (std::size_t k = 0; k < commands.size(); ++k) {
    if (!parsers[k]->parsed() || commands[k]->loads_plugin()) continue;
    if (global.log) {
      throw Error("--log does not apply to " + parsers[k]->get_name());
    }
    return commands[k]->run_unloaded(std::vector<std::filesystem::path>(
        global.libraries.begin(), global.libraries.end()));
  }
  Command* chosen = nullptr;
  for (std::size_t k = 0; k < commands.size(); ++k) {
    if (parsers[k]->parsed()) chosen = commands[k].get();
  }
  if (chosen == nullptr) return kExitUsage;
  // The command line's plug-ins, else the case's, else every bundled one.
  std::vector<std::filesystem::path> paths(global.libraries.begin(),
                                           global.libraries.end());
  if (paths.empty()) paths = chosen->case_plugins();
  if (paths.empty()) paths = default_libraries();

  remove_unfinished_outputs_on_signals();
  // Before the library loads, so that a plug-in tracing from its very first
  // call (the catalogue) finds the file too.
  if (global.log) prepare_debug_log_file();
  // One image loaded twice is one plug-in, whose run would be set up twice.
  for (std::size_t k = 0; k < paths.size(); ++k) {
    for (std::size_t j = 0; j < k; ++j) {
      std::error_code error;
      if (std::filesystem::equivalent(paths[j], paths[k], error)) {
        throw Error("plug-in '" + for_terminal(paths[k].string()) +
                    "' is given twice");
      }
    }
  }
  std::vector<std::unique_ptr<PluginLibrary>> loaded;
  std::vector<const PluginLibrary*> libraries;
  for (const auto& path : paths) {
    loaded.push_back(std::make_unique<PluginLibrary>(path));
    libraries.push_back(loaded.back().get());
  }
  // Host order: catalogues first, then the run of each plug-in, closed in
  // the reverse order.
  const CorrelationSet correlations(libraries);
  if (!chosen->needs_session()) return chosen->run(libraries, correlations);
  std::vector<std::unique_ptr<RunSession>> sessions;
  for (const PluginLibrary* library : libraries) {
    sessions.push_back(std::make_unique<RunSession>(*library));
  }
  const int status = chosen->run(libraries, correlations);
  while (!sessions.empty()) sessions.pop_back();
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return run(argc, argv);
  } catch (const std::exception& error) {
    print_error(error.what());
    return kExitUsage;
  }
}
