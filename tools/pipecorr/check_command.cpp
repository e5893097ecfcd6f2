// `pipecorr check`: the conformance battery of a plug-in, each job in a
// child process. The library says what the children do and judges their
// records; this file parses, starts the children and prints.
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>

#include "check/check_report.hpp"
#include "child_process.hpp"
#include "commands.hpp"
#include "files/output_file.hpp"
#include "numbers/number_text.hpp"
#include "options.hpp"
#include "plugin/default_library.hpp"
#include "static_dll_check.hpp"
#include "text/error.hpp"

namespace pipecorr::hostkit {
namespace {

// How long one call or step may take before the child counts as hung: long
// enough for a slow plug-in under an emulator.
constexpr double kDefaultChildTimeout = 20.0;

std::string points_limit_text() {
  return "must be a whole number from 1 to " + std::to_string(kMaxCheckPoints);
}

// --points: a count within the battery's limit.
std::size_t points_in(const std::string& text) {
  double value = 0.0;
  const NumberProblem problem = parse_number(text, value);
  if (problem == NumberProblem::kNone && value == std::floor(value) &&
      value >= 1.0 && value <= static_cast<double>(kMaxCheckPoints)) {
    return static_cast<std::size_t>(value);
  }
  throw CLI::ValidationError("--points",
                             "'" + text + "' " + points_limit_text());
}

// --seed: any 64-bit seed, in decimal; a sign is refused rather than
// wrapped around.
std::uint64_t seed_in(const std::string& text) {
  std::string_view digits = trim_blanks(text);
  if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
  std::uint64_t value = 0;
  const auto [end, error] =
      std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (digits.empty() || digits.front() < '0' || digits.front() > '9' ||
      error != std::errc() || end != digits.data() + digits.size()) {
    throw CLI::ValidationError(
        "--seed",
        "'" + text + "' must be a whole number from 0 to " +
            std::to_string(std::numeric_limits<std::uint64_t>::max()));
  }
  return value;
}

class CheckCommand : public Command {
 public:
  CLI::App* add(CLI::App& app) override {
    auto* command = app.add_subcommand(
        "check",
        "test whether a plug-in keeps the interface's promises (catalogue, "
        "session, and every correlation at ordinary and bad inputs in "
        "hostile floating-point states); exit 0 when no check failed");
    command->add_flag("--json", json_, "print one JSON object");
    command
        ->add_option_function<std::string>(
            "--points",
            [this](const std::string& text) { points_ = points_in(text); },
            "ordinary points per correlation, 1 to " +
                std::to_string(kMaxCheckPoints) + " (bad inputs come on top)")
        ->type_name("COUNT")
        ->default_str(std::to_string(kDefaultCheckPoints));
    command
        ->add_option_function<std::string>(
            "--seed",
            [this](const std::string& text) { seed_ = seed_in(text); },
            "seed of the ordinary points; the same seed gives the same "
            "points everywhere")
        ->type_name("SEED")
        ->default_str("1");
    add_number(*command, "--time-limit", time_limit_,
               "seconds the whole run may take: no job starts later, one "
               "still running then is stopped, and the report lists what "
               "was not reached (exit status 1)");
    command->add_option(
        "--static", static_dll_,
        "check a 32-bit Windows DLL statically instead (export names and "
        "the stack words each export removes), with the MinGW objdump");
    // The time one call or step may take before its child counts as hung;
    // tests shorten it.
    add_number(*command, "--child-timeout", child_timeout_,
               "seconds a child may go without a record")
        ->group("");
    return command;
  }

  [[nodiscard]] bool loads_plugin() const override { return false; }

  int run(std::span<const PluginLibrary* const>,
          const CorrelationSet&) override {
    return kExitUsage;
  }

  // Checks exactly one plug-in: the one --lib names, else the first
  // bundled one.
  int run_unloaded(const std::vector<std::filesystem::path>& named) override {
    if (named.size() > 1) {
      throw Error("check takes one plug-in; give --lib once (it was given " +
                  std::to_string(named.size()) + " times)");
    }
    // Before anything runs: every child works under it.
    static_cast<void>(temporary_base());
    if (!static_dll_.empty()) return run_static_dll_check(static_dll_, json_);
    if (!(child_timeout_ > 0.0 && child_timeout_ <= kMaxSeconds)) {
      throw Error("--child-timeout must be positive, at most " +
                  shortest(kMaxSeconds) + " s");
    }
    if (!(time_limit_ > 0.0 && time_limit_ <= kMaxSeconds)) {
      throw Error("--time-limit must be positive, at most " +
                  shortest(kMaxSeconds) + " s (a year)");
    }
    CheckOptions options;
    options.library = named.empty() ? default_library() : named.front();
    options.points = points_;
    options.seed = seed_;
    options.time_limit = milliseconds(time_limit_);
    const auto timeout = milliseconds(child_timeout_);
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
  // Limits for the time options: within what a clock counts in
  // milliseconds without overflow, and beyond any real run.
  static constexpr double kMaxSeconds = 365.0 * 24 * 3600;

  static std::chrono::milliseconds milliseconds(double seconds) {
    return std::chrono::milliseconds(
        static_cast<long long>(std::ceil(seconds * 1000.0)));
  }

  bool json_ = false;
  std::size_t points_ = kDefaultCheckPoints;
  std::uint64_t seed_ = 1;
  std::string static_dll_;
  double child_timeout_ = kDefaultChildTimeout;
  double time_limit_ = static_cast<double>(kDefaultCheckTimeLimit.count());
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
    command->add_option("--token", job_.token);
    return command;
  }

  [[nodiscard]] bool loads_plugin() const override { return false; }

  int run(std::span<const PluginLibrary* const>,
          const CorrelationSet&) override {
    return kExitUsage;
  }

  int run_unloaded(const std::vector<std::filesystem::path>&) override {
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
