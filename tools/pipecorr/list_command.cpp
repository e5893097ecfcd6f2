// `pipecorr list`: the loaded plug-ins' catalogues and identification
// lines.
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
        "list",
        "show the catalogues, each correlation with the plug-in it comes "
        "from, and the identification lines");
  }
  [[nodiscard]] bool needs_session() const override { return false; }
  int run(std::span<const PluginLibrary* const> libraries,
          const CorrelationSet&) override {
    write_output(std::nullopt, describe_libraries(libraries));
    return kExitDone;
  }
};

}  // namespace

std::unique_ptr<Command> make_list_command() {
  return std::make_unique<ListCommand>();
}

}  // namespace pipecorr::hostkit
