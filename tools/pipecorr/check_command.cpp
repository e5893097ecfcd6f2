// `pipecorr check`: the conformance battery of a plug-in, each job in a
// child process. The library says what the children do and judges their
// records; this file parses, starts the children and prints.
#include <chrono>
#include <cmath>
#include <cstdio>
#include <optional>

#include "check/check_report.hpp"
#include "child_process.hpp"
#include "commands.hpp"
#include "files/output_file.hpp"
#include "options.hpp"
#include "plugin/default_library.hpp"
#include "static_dll_check.hpp"
#include "text/error.hpp"
#include "text/number_text.hpp"

namespace pipecorr::hostkit {
namespace {

// Long enough for the default battery of a slow plug-in under an emulator.
constexpr double kDefaultChildTimeout = 20.0;

class CheckCommand : public Command {
 public:
  CLI::App* add(CLI::App& app) override {
    auto* command = app.add_subcommand(
        "check",
        "test whether a plug-in keeps the interface's promises (catalogue, "
        "session, and every correlation at ordinary and bad inputs in "
        "hostile floating-point states); exit 0 when no check failed");
    command->add_flag("--json", json_, "print one JSON object");
    add_count(*command, "--points", points_,
              "ordinary points per correlation (bad inputs come on top)");
    command
        ->add_option("--seed", seed_,
                     "seed of the ordinary points; the same seed gives the "
                     "same points everywhere")
        ->capture_default_str();
    command->add_option(
        "--static", static_dll_,
        "check a 32-bit Windows DLL statically instead (export names and "
        "the stack words each export removes), with the MinGW objdump");
    // The time a child may take before it counts as hung; tests shorten it.
    add_number(*command, "--child-timeout", child_timeout_,
               "seconds a child may run")
        ->group("");
    return command;
  }

  [[nodiscard]] bool loads_plugin() const override { return false; }

  int run(const PluginLibrary&, const CorrelationSet&) override {
    return kExitUsage;
  }

  int run_unloaded(const std::optional<std::filesystem::path>& named) override {
    if (!static_dll_.empty()) return run_static_dll_check(static_dll_, json_);
    if (points_ < 1) throw Error("--points must be at least 1");
    if (!(child_timeout_ > 0.0)) {
      throw Error("--child-timeout must be positive");
    }
    CheckOptions options;
    options.library = named ? *named : default_library();
    options.points = static_cast<std::size_t>(points_);
    options.seed = seed_;
    const auto timeout = std::chrono::milliseconds(
        static_cast<long long>(std::ceil(child_timeout_ * 1000.0)));
    const auto start = std::chrono::steady_clock::now();
    const CheckReport report = run_check(options, make_child_runner(timeout));
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start)
            .count();
    write_output(std::nullopt, json_ ? format_check_json(report, seconds)
                                     : format_check_text(report, seconds));
    return report.all_passed() ? kExitDone : kExitUsage;
  }

 private:
  bool json_ = false;
  int points_ = static_cast<int>(kDefaultCheckPoints);
  std::uint64_t seed_ = 1;
  std::string static_dll_;
  double child_timeout_ = kDefaultChildTimeout;
};

// The child's end of a check job (see child_process.hpp). Hidden: people
// never call it.
class CheckChildCommand : public Command {
 public:
  CLI::App* add(CLI::App& app) override {
    auto* command = app.add_subcommand("__check-child", "");
    command->group("");
    command->add_option("--job", kind_)->required();
    command->add_option("--library", job_.library)->required();
    command->add_option("--correlation", job_.correlation);
    command->add_option("--link-info", job_.link_info);
    command->add_option("--points", job_.points);
    command->add_option("--seed", job_.seed);
    command->add_option("--skip", job_.skip);
    command->add_option("--record-handle", handle_);
    return command;
  }

  [[nodiscard]] bool loads_plugin() const override { return false; }

  int run(const PluginLibrary&, const CorrelationSet&) override {
    return kExitUsage;
  }

  int run_unloaded(const std::optional<std::filesystem::path>&) override {
    const auto kind = job_kind_named(kind_);
    if (!kind) throw Error("unknown check job '" + kind_ + "'");
    job_.kind = *kind;
    return run_check_child(job_, handle_);
  }

 private:
  ChildJob job_;
  std::string kind_;
  std::optional<std::uintptr_t> handle_;
};

}  // namespace

std::unique_ptr<Command> make_check_command() {
  return std::make_unique<CheckCommand>();
}

std::unique_ptr<Command> make_check_child_command() {
  return std::make_unique<CheckChildCommand>();
}

}  // namespace pipecorr::hostkit
