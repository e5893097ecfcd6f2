#include "options.hpp"

#include <limits>

#include "numbers/number_text.hpp"

namespace pipecorr::hostkit {
namespace {

// "nan", "inf" and "-inf" (as the check prints them), or nothing.
std::optional<double> non_finite_word(std::string_view text) {
  text = trim_blanks(text);
  constexpr double kInf = std::numeric_limits<double>::infinity();
  if (text == "nan" || text == "-nan") {
    return std::numeric_limits<double>::quiet_NaN();
  }
  if (text == "inf" || text == "+inf") return kInf;
  if (text == "-inf") return -kInf;
  return std::nullopt;
}

// The value of option `name`, or CLI11's validation error naming it.
double number_of(const std::string& name, const std::string& text,
                 const bool* non_finite = nullptr) {
  double value = 0.0;
  const NumberProblem problem = parse_number(text, value);
  if (problem == NumberProblem::kNotFinite && non_finite != nullptr &&
      *non_finite) {
    if (const auto word = non_finite_word(text)) return *word;
  }
  if (problem != NumberProblem::kNone) {
    throw CLI::ValidationError(
        name, "'" + text + "' " + std::string(describe(problem)));
  }
  return value;
}

// A number option stored into `target` (a double or an optional one).
template <typename Target>
CLI::Option* add_number_option(CLI::App& app, const std::string& names,
                               Target& target, const std::string& help,
                               const bool* non_finite = nullptr) {
  return app
      .add_option_function<std::string>(
          names,
          [&target, names, non_finite](const std::string& text) {
            target = number_of(names, text, non_finite);
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

void add_point_options(CLI::App& app, FlowInputs& inputs, std::size_t first,
                       const bool* non_finite) {
  const auto fields = inputs.fields();
  for (std::size_t i = first; i < kInputCount; ++i) {
    const std::string name = "--" + std::string(kInputNames[i]);
    add_number_option(
        app, name, *fields[i],
        std::string(kInputMeanings[i]) + ", " + std::string(kInputUnits[i]),
        non_finite)
        ->default_str(shortest(*fields[i]));
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
