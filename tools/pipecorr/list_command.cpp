// `pipecorr list`: the plug-in's catalogue and identification lines.
#include <cstdio>

#include "commands.hpp"
#include "files/output_file.hpp"
#include "jobs/describe_library.hpp"
#include "options.hpp"

namespace pipecorr::hostkit {
namespace {

class ListCommand : public Command {
 public:
  CLI::App* add(CLI::App& app) override {
    return app.add_subcommand(
        "list", "show the catalogue and the identification lines");
  }
  [[nodiscard]] bool needs_session() const override { return false; }
  int run(const PluginLibrary& library, const CorrelationSet&) override {
    write_output(std::nullopt, describe_library(library));
    return kExitDone;
  }
};

}  // namespace

std::unique_ptr<Command> make_list_command() {
  return std::make_unique<ListCommand>();
}

}  // namespace pipecorr::hostkit
