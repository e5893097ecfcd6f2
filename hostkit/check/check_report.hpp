// The check's report for people (one line per check, the first
// counter-example under a failed one, figures, a summary) and for programs
// (one JSON object; docs/pipecorr-command.md documents its shape).
#pragma once

#include <string>
#include <vector>

#include "check/check_run.hpp"

namespace pipecorr::hostkit {

// The arguments of `pipecorr` (after the program name) that make the
// counter-example's call again with `pipecorr calc`: the correlation by
// name, every input exactly, and for a call the check made under its own
// conditions `--strict` with the host state and the xinfo request. Empty
// when the example names no correlation.
[[nodiscard]] std::vector<std::string> reproduction_arguments(
    const std::string& library, const CounterExample& example);

// The arguments as one line a POSIX shell reads back as the same words.
[[nodiscard]] std::string shell_line(const std::vector<std::string>& words);

[[nodiscard]] std::string format_check_text(const CheckReport& report,
                                            double seconds);
[[nodiscard]] std::string format_check_json(const CheckReport& report,
                                            double seconds);

}  // namespace pipecorr::hostkit
