#include "options.hpp"

#include "text/number_text.hpp"

namespace pipecorr::hostkit {
namespace {

// The value of option `name`, or CLI11's validation error naming it.
double number_of(const std::string& name, const std::string& text) {
  double value = 0.0;
  const NumberProblem problem = parse_number(text, value);
  if (problem != NumberProblem::kNone) {
    throw CLI::ValidationError(
        name, "'" + text + "' " + std::string(describe(problem)));
  }
  return value;
}

// A number option stored into `target` (a double or an optional one).
template <typename Target>
CLI::Option* add_number_option(CLI::App& app, const std::string& names,
                               Target& target, const std::string& help) {
  return app
      .add_option_function<std::string>(
          names,
          [&target, names](const std::string& text) {
            target = number_of(names, text);
          },
          help)
      ->type_name("NUMBER");
}

}  // namespace

CLI::Option* add_number(CLI::App& app, const std::string& names, double& target,
                        const std::string& help) {
  return add_number_option(app, names, target, help)
      ->default_str(shortest(target));
}

CLI::Option* add_number(CLI::App& app, const std::string& names,
                        std::optional<double>& target,
                        const std::string& help) {
  return add_number_option(app, names, target, help);
}

CLI::Option* add_count(CLI::App& app, const std::string& names, int& target,
                       const std::string& help) {
  return app
      .add_option_function<std::string>(
          names,
          [&target, names](const std::string& text) {
            const NumberProblem problem = parse_count(text, target);
            if (problem != NumberProblem::kNone) {
              throw CLI::ValidationError(
                  names, "'" + text + "' " + std::string(describe(problem)));
            }
          },
          help)
      ->default_str(std::to_string(target))
      ->type_name("COUNT");
}

void add_point_options(CLI::App& app, FlowInputs& inputs, std::size_t first) {
  const auto fields = inputs.fields();
  for (std::size_t i = first; i < kInputCount; ++i) {
    add_number(
        app, "--" + std::string(kInputNames[i]), *fields[i],
        std::string(kInputMeanings[i]) + ", " + std::string(kInputUnits[i]));
  }
}

void add_default_options(CLI::App& app, InputDefaults& defaults) {
  for (std::size_t i = 0; i < kInputCount; ++i) {
    add_number(app, "--" + std::string(kInputNames[i]), defaults[i],
               std::string(kInputMeanings[i]) + ", " +
                   std::string(kInputUnits[i]) +
                   ", for a table without that column");
  }
}

CLI::Option* add_correlation_option(CLI::App& app, std::string& name) {
  return app.add_option(
      "--correlation,-c", name,
      "catalogue name, matched exactly or else ignoring case (default: the "
      "first callable one in the catalogue)");
}

}  // namespace pipecorr::hostkit
