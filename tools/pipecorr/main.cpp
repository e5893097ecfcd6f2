// pipecorr: a reference host for correlation plug-ins. It loads a plug-in
// by path the way a simulator does and runs the host's order: catalogue,
// run setup, calls, run cleanup. The work is the host-side library's; this
// file chooses the subcommand and turns errors into messages and statuses.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <memory>
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
  std::string library;
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
  app.add_option("--lib", global.library,
                 "plug-in library to load (default: the pipecorr library "
                 "installed beside this program)");
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

  remove_unfinished_outputs_on_signals();
  // Before the library loads, so that a plug-in tracing from its very first
  // call (the catalogue) finds the file too.
  if (global.log) prepare_debug_log_file();
  const PluginLibrary library(global.library.empty()
                                  ? default_library()
                                  : std::filesystem::path(global.library));
  // Host order: catalogue first, then the run.
  const CorrelationSet correlations(library);
  for (std::size_t k = 0; k < commands.size(); ++k) {
    if (!parsers[k]->parsed()) continue;
    if (!commands[k]->needs_session()) {
      return commands[k]->run(library, correlations);
    }
    const RunSession session(library);
    return commands[k]->run(library, correlations);
  }
  return kExitUsage;
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
