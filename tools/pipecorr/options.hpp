// Options written once for every command. Numbers are read by the host
// side's one rule (decimal only, finite, within a double's range) rather
// than by the parser's own, which reads "010" as octal and "0x10" as hex.
#pragma once

#include <CLI/CLI.hpp>

#include <optional>
#include <string>

#include "cases/batch_table.hpp"
#include "plugin/flow_point.hpp"

namespace pipecorr::hostkit {

CLI::Option* add_number(CLI::App& app, const std::string& names, double& target,
                        const std::string& help);
CLI::Option* add_number(CLI::App& app, const std::string& names,
                        std::optional<double>& target, const std::string& help);
CLI::Option* add_count(CLI::App& app, const std::string& names, int& target,
                       const std::string& help);

// --usl ... --p for the inputs from `first` on, with their units. When
// `non_finite` points at true by the time the options are read, "nan",
// "inf" and "-inf" are taken too.
void add_point_options(CLI::App& app, FlowInputs& inputs, std::size_t first = 0,
                       const bool* non_finite = nullptr);
// The same, as values for inputs a table has no column for.
void add_default_options(CLI::App& app, InputDefaults& defaults);

CLI::Option* add_correlation_option(CLI::App& app, std::string& name);

}  // namespace pipecorr::hostkit
